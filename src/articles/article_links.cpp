#include "articles/article_links.h"

#include <cstring>

#include "articles/article_view.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

namespace {

const LinkEntry* FindLinkById(const Article& article, int32_t id) {
  for (const LinkEntry& entry : article.linkTargets) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

bool SegmentHit(const Article& article, const TextSegment& segment, int32_t cx, int32_t cy) {
  const char* text = segment.text.c_str();
  const int32_t x = cx + segment.x;
  const int32_t y = cy + segment.y;
  if (segment.font == nullptr) return FixedHit(article.mouseX, article.mouseY, text, x, y) != 0;
  FontManager* registry = article.fonts.registry;
  if (registry == nullptr) return false;
  registry->charSpacing = segment.charSpacing;
  registry->wordSpacing = segment.wordSpacing;
  return FontHit(*registry, article.mouseX, article.mouseY, text, x, y, segment.font) != 0;
}

int32_t TextLinkAt(const Article& article, int32_t cx, int32_t cy) {
  for (const ArticleLine& line : article.lines) {
    if (line.hasLink == 0 || !ArticleLineVisible(article, line, cx, cy)) continue;
    for (const TextSegment& segment : line.segments) {
      if (segment.isLink != 0 && SegmentHit(article, segment, cx, cy)) return segment.linkId;
    }
  }
  return -1;
}

bool PlacementHit(const Article& article, const PicturePlacement& placement, int32_t cx,
                  int32_t cy) {
  if (placement.picture == nullptr) return false;
  const Picture& image = placement.picture->image;
  const int64_t left = int64_t{cx} + placement.x;
  const int64_t top = int64_t{cy} + placement.y;
  return article.mouseX >= left && article.mouseX <= left + image.width && article.mouseY >= top &&
         article.mouseY <= top + image.height;
}

int32_t PictureLinkAt(const Article& article, int32_t cx, int32_t cy) {
  for (const PicturePlacement& placement : article.placements) {
    if (placement.isLink != 0 && PlacementHit(article, placement, cx, cy)) {
      return placement.linkId;
    }
  }
  return -1;
}

}  // namespace

void ArticleSetMouse(Article& article, int32_t x, int32_t y) {
  article.mouseX = x;
  article.mouseY = y;
}

bool ArticleHoverSearch(Article& article, int32_t cx, int32_t cy) {
  int32_t id = TextLinkAt(article, cx, cy);
  if (id < 0) id = PictureLinkAt(article, cx, cy);
  if (id < 0) return false;
  const LinkEntry* entry = FindLinkById(article, id);
  if (entry == nullptr) return false;
  article.hoverId = id;
  article.hoverTarget = entry;
  return true;
}

const LinkEntry* ArticleHoverTarget(const Article& article) { return article.hoverTarget; }

void ArticleClearHover(Article& article) {
  article.hoverId = -1;
  article.hoverTarget = nullptr;
}

void ArticleMarkVisited(Article& article, const LinkEntry& link) {
  for (LinkEntry& entry : article.linkTargets) {
    if (&entry == &link) entry.visited = true;
  }
}
