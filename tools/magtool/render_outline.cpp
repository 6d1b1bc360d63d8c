#include "magtool/render_outline.h"

#include <algorithm>
#include <set>

#include "articles/article_view.h"
#include "pictures/draw.h"

namespace {

constexpr uint32_t AREA = 0x00FFFF, LIMIT = 0xFF00FF, PICTURE = 0xFFFF00;

struct View {
  int32_t left, top, right, bottom;
};

// A rectangle's part within the view.
void Fill(uint32_t colour, const View& view, int32_t x, int32_t y, int32_t width, int32_t height,
          Picture& screen) {
  const int32_t x0 = std::max(x, view.left), y0 = std::max(y, view.top);
  const int32_t x1 = std::min(x + width, view.right), y1 = std::min(y + height, view.bottom);
  if (x1 > x0 && y1 > y0) FillRect(colour, x0, y0, x1 - x0, y1 - y0, screen, DRAW_OPAQUE, 1.0f);
}

void Box(uint32_t colour, const View& view, int32_t x, int32_t y, int32_t width, int32_t height,
         Picture& screen) {
  Fill(colour, view, x, y, width, 1, screen);
  Fill(colour, view, x, y + height - 1, width, 1, screen);
  Fill(colour, view, x, y, 1, height, screen);
  Fill(colour, view, x + width - 1, y, 1, height, screen);
}

}  // namespace

void DrawOutline(const Panel& panel, const Article& article, Picture& screen) {
  const int32_t top = PanelTopHeight(panel);
  const View view{panel.textX, top, panel.oldPage.width, top + panel.oldPage.height};
  Box(AREA, view, view.left, view.top, view.right - view.left, view.bottom - view.top, screen);
  std::set<int32_t> limits;
  for (const ArticleLine& line : article.lines) {
    for (const TextSegment& segment : line.segments) {
      if (segment.mode != 0) limits.insert(segment.limit);
    }
  }
  for (const int32_t limit : limits) {
    Fill(LIMIT, view, view.left + limit, view.top, 1, view.bottom - view.top, screen);
  }
  const ArticleScroll scroll = ArticleGetScroll(article);
  for (const PicturePlacement& placement : article.placements) {
    if (placement.picture == nullptr) continue;
    const bool right = article.twoColumns != 0 && placement.x >= ARTICLE_RIGHT_COLUMN_X;
    const int32_t y = top + placement.y - (right ? scroll.rightScrollY : scroll.scrollY);
    Box(PICTURE, view, view.left + placement.x, y, placement.picture->image.width,
        placement.picture->image.height, screen);
  }
}
