#include <algorithm>

#include "base/fatal.h"
#include "pictures/draw.h"
#include "widgets/transitions.h"

namespace {

constexpr int32_t RIGHT_COLUMN_OFFSET = 320;

struct SlideColumns {
  int32_t x;
  int32_t drawRight;
};

struct SlideLayout {
  SlideColumns from, to;
};

// Each origin is truncated from a float product, as the frames in between
// must land on the same columns as the driver's.
SlideLayout LayoutOf(int32_t variant, int32_t x, int32_t width, float progress) {
  const auto shift = [progress](int32_t distance) {
    return static_cast<int32_t>(static_cast<float>(distance) * progress);
  };
  switch (variant) {
    case SLIDE_COLUMN_BACK: {
      const int32_t origin = x + shift(width / 2);
      return {{origin, 1}, {origin - RIGHT_COLUMN_OFFSET, 0}};
    }
    case SLIDE_COLUMN_FORWARD: {
      const int32_t origin = x - shift(width / 2);
      return {{origin, 0}, {origin + RIGHT_COLUMN_OFFSET, 1}};
    }
    case SLIDE_BACK: {
      const int32_t origin = x + shift(width);
      return {{origin, 1}, {origin - width, 1}};
    }
    case SLIDE_FORWARD: {
      const int32_t origin = x - shift(width);
      return {{origin, 1}, {origin + width, 1}};
    }
    default:
      FatalError("Internal !");
  }
}

void DrawAt(Article& article, ArticleScroll position, SlideColumns columns) {
  ArticleSetScroll(article, position.scrollY, position.rightScrollY);
  ArticleDraw(article, columns.x,
              {.hitTest = false, .left = true, .right = columns.drawRight != 0});
}

}  // namespace

void SlideFrame(Panel& panel, Article& article, int32_t variant, ArticleScroll from,
                ArticleScroll to, float progress, Picture& screen) {
  const SlideLayout layout = LayoutOf(variant, panel.textX, panel.middle.width, progress);
  if (!(progress > 0.0f && progress < 1.0f)) return;
  Picture& view = PanelArticleView(panel, screen);
  if (view.height < 1) return;
  const ArticleScroll current = ArticleGetScroll(article);
  const bool firstDraw = article.firstDraw;
  Blit(panel.middle, 0, PanelTopHeight(panel), screen, DRAW_OPAQUE, 1.0f);
  ArticleSetView(article, view);
  DrawAt(article, from, layout.from);
  DrawAt(article, to, layout.to);
  ArticleSetScroll(article, current.scrollY, current.rightScrollY);
  article.firstDraw = firstDraw;  // setting the scroll cleared it
}
