#include <algorithm>

#include "articles/article_links.h"
#include "base/fatal.h"

namespace {

constexpr int32_t FIXED_LINK_HEIGHT = 12;
// The table keeps two of its slots free: the 8191st entry overflows.
constexpr size_t MAX_HOTSPOTS = ARTICLE_MAX_HOTSPOTS - 2;

void AddHotspot(Article& article, const Hotspot& hotspot) {
  if (article.hotspots.size() >= MAX_HOTSPOTS) FatalError("LinksTable overload !");
  article.hotspots.push_back(hotspot);
}

void AddTextHotspots(Article& article) {
  for (const ArticleLine& line : article.lines) {
    if (line.hasLink == 0) continue;
    for (const TextSegment& segment : line.segments) {
      if (segment.isLink == 0) continue;
      const int32_t h = segment.font != nullptr ? segment.font->sizeY : FIXED_LINK_HEIGHT;
      AddHotspot(article, Hotspot{segment.linkId, segment.x, segment.y - h, segment.width, h});
    }
  }
}

void AddPictureHotspots(Article& article) {
  for (const PicturePlacement& placement : article.placements) {
    if (placement.isLink == 0 || placement.picture == nullptr) continue;
    const Picture& image = placement.picture->image;
    AddHotspot(article,
               Hotspot{placement.linkId, placement.x, placement.y, image.width, image.height});
  }
}

// Whole box inside a view of height h when the column shows article y at
// view y + offset.
bool FullyVisible(const Hotspot& hotspot, int32_t offset, int32_t h) {
  const int64_t top = int64_t{hotspot.y} + offset;
  return top >= 0 && top + hotspot.height <= h;
}

int32_t FirstVisible(const Article& article, int32_t offset) {
  const int32_t h = article.view->height;
  for (size_t i = 0; i < article.hotspots.size(); ++i) {
    if (FullyVisible(article.hotspots[i], offset, h)) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t LastVisible(const Article& article, int32_t offset) {
  const int32_t h = article.view->height;
  for (size_t i = article.hotspots.size(); i-- > 0;) {
    if (FullyVisible(article.hotspots[i], offset, h)) return static_cast<int32_t>(i);
  }
  return -1;
}

bool InTable(const Article& article, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < article.hotspots.size();
}

}  // namespace

void ArticleBuildHotspots(Article& article) {
  article.hotspots.clear();
  AddTextHotspots(article);
  AddPictureHotspots(article);
  std::stable_sort(
      article.hotspots.begin(), article.hotspots.end(),
      [](const Hotspot& a, const Hotspot& b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
}

int32_t ArticleFirstVisibleHotspot(const Article& article) {
  if (article.view == nullptr) return -1;
  const int32_t left = FirstVisible(article, -article.scrollY);
  if (left >= 0 || article.twoColumns == 0) return left;
  return FirstVisible(article, article.rightScrollY);
}

int32_t ArticleLastVisibleHotspot(const Article& article) {
  if (article.view == nullptr) return -1;
  if (article.twoColumns != 0) {
    const int32_t right = LastVisible(article, article.rightScrollY);
    if (right >= 0) return right;
  }
  return LastVisible(article, -article.scrollY);
}

const LinkEntry* ArticleSelectHotspot(Article& article, int32_t index) {
  if (!InTable(article, index)) return nullptr;
  const int32_t id = article.hotspots[static_cast<size_t>(index)].id;
  article.hoverId = id;
  article.hoverTarget = nullptr;
  const auto entry = std::find_if(article.linkTargets.begin(), article.linkTargets.end(),
                                  [id](const LinkEntry& link) { return link.id == id; });
  if (entry != article.linkTargets.end()) article.hoverTarget = &*entry;
  return article.hoverTarget;
}

int32_t ArticleHotspotId(const Article& article, int32_t index) {
  return InTable(article, index) ? article.hotspots[static_cast<size_t>(index)].id : -1;
}
