#include "articles/article_links.h"
#include "articles/article_view.h"
#include "pictures/draw.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

namespace {

constexpr int32_t NO_COLUMN = -100000000;

uint32_t SegmentColour(const Article& article, const TextSegment& segment) {
  if (segment.isLink == 0) return segment.colour;
  if (segment.linkId == article.hoverId) return article.activeLinkColour;
  if (segment.target != nullptr && segment.target->visited != 0) return article.visitedLinkColour;
  return segment.colour;
}

void DrawSegment(const Article& article, const TextSegment& segment, int32_t cx, int32_t cy) {
  const uint32_t colour = SegmentColour(article, segment);
  const int32_t x = cx + segment.x;
  const int32_t y = cy + segment.y;
  if (segment.font == nullptr) {
    FixedDraw(*article.fonts.fixed, segment.text.c_str(), x, y, colour, *article.view);
    return;
  }
  FontManager& registry = *article.fonts.registry;
  registry.charSpacing = segment.charSpacing;
  registry.wordSpacing = segment.wordSpacing;
  FontDraw(registry, segment.text.c_str(), x, y, colour, segment.font, *article.view,
           segment.antialias);
}

const PictureEntry& ShownPicture(const Article& article, const PicturePlacement& placement) {
  const bool hovered = placement.isLink != 0 && placement.hasHover != 0 &&
                       placement.hoverPicture != nullptr && placement.linkId == article.hoverId;
  return hovered ? *placement.hoverPicture : *placement.picture;
}

void DrawColumn(const Article& article, int32_t cx, int32_t cy) {
  Picture& view = *article.view;
  for (const PicturePlacement& placement : article.placements) {
    Blit(ShownPicture(article, placement).image, cx + placement.x, cy + placement.y, view,
         DRAW_KEYED, 1.0f);
  }
  for (const LineDrawing& drawing : article.drawings) {
    DrawLine(cx + drawing.x1, cx + drawing.x2, cy + drawing.y1, cy + drawing.y2, drawing.colour,
             view);
  }
  for (const ArticleLine& line : article.lines) {
    if (!ArticleLineVisible(article, line, cx, cy)) continue;
    for (const TextSegment& segment : line.segments) DrawSegment(article, segment, cx, cy);
  }
}

void StartAtFirstPage(Article& article) {
  article.firstDraw = false;
  article.scrollY = article.pageStarts[0];
  if (article.twoColumns == 0) return;
  article.rightScrollY = article.pageStarts.size() < 2 ? NO_COLUMN : -article.pageStarts[1];
}

}  // namespace

bool ArticleLineVisible(const Article& article, const ArticleLine& line, int32_t cx, int32_t cy) {
  if (article.view == nullptr) return false;
  const int64_t top = int64_t{cy} + line.y;
  const int64_t left = int64_t{cx} + line.x;
  return top >= 0 && top + line.height <= article.view->height && left < article.view->width &&
         left + line.width >= 0;
}

// Without a view there is neither a page table nor anything to draw into.
void ArticleDraw(Article& article, int32_t x, ArticleDrawParts parts) {
  if (article.view == nullptr || article.pageStarts.empty()) return;
  if (article.firstDraw) StartAtFirstPage(article);
  const int32_t leftY = -article.scrollY;
  const int32_t rightX = x + ARTICLE_RIGHT_COLUMN_X;
  const bool twoColumns = article.twoColumns;
  if (parts.hitTest) {
    ArticleClearHover(article);
    if (!ArticleHoverSearch(article, x, leftY) && twoColumns) {
      ArticleHoverSearch(article, rightX, article.rightScrollY);
    }
  }
  if (parts.left) DrawColumn(article, x, leftY);
  if (parts.right && twoColumns) DrawColumn(article, rightX, article.rightScrollY);
}
