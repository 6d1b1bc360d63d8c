#include <algorithm>

#include "base/fatal.h"
#include "widgets/transitions.h"

namespace {

constexpr float SLANT = 1.2f;
constexpr float INVERSE_SLANT = 0.8333333f;

struct Pages {
  const Picture& front;  // left of the edge
  const Picture& back;   // right of the edge, and the fold
};

const uint32_t* Row(const Picture& picture, int32_t y) {
  return picture.pixels + int64_t{y} * picture.width;
}

// Both pages must fill the view's rows exactly: the rows are copied whole.
bool PagesFit(const Panel& panel, const Picture& screen, int32_t top) {
  const Picture& page = panel.newPage;
  if (top < 0 || int64_t{top} + page.height > screen.height) return false;
  if (page.width != screen.width || page.pixels == nullptr) return false;
  return panel.oldPage.width == page.width && panel.oldPage.height == page.height;
}

// The edge's points from (x0, height) to (x1, 0) in DrawLine's order. x1 -
// x0 never exceeds height (the slant is 1.2), so y is the axis stepped every
// time, exactly one point per row; x0 <= x1, so DrawLine starts at the bottom.
template <typename Visit>
void ForEachEdgePoint(int32_t x0, int32_t x1, int32_t height, Visit visit) {
  const int64_t dx = int64_t{x1} - x0;
  int64_t error = height >> 1;
  int64_t x = x0;
  for (int32_t y = height; y >= 0; --y) {
    if (y < height) visit(x, y);
    error -= dx;
    if (error < 0) {
      error += height;
      ++x;
    }
  }
}

void SplitRow(const Pages& pages, int64_t x, int32_t y, uint32_t* view) {
  const int32_t width = pages.front.width;
  const int32_t split = static_cast<int32_t>(std::clamp<int64_t>(x, 0, width));
  std::copy_n(Row(pages.front, y), split, view);
  std::copy_n(Row(pages.back, y) + split, width - split, view + split);
}

// The back page's pixels right of the edge, mirrored up the 45-degree line.
void Fold(const Pages& pages, int64_t x, int32_t y, uint32_t* view, int32_t stride) {
  const int32_t width = pages.back.width;
  if (x <= 0 || x >= width - 1) return;
  const auto column = static_cast<int32_t>(x);
  const int32_t count = std::min(width - column, y);
  const uint32_t* from = Row(pages.back, y) + column;
  uint32_t* to = view + int64_t{y} * stride + column;
  for (int32_t k = 0; k < count; ++k) to[-int64_t{k} * stride] = from[k];
}

}  // namespace

void PageTurnFrame(const Panel& panel, float progress, Picture& screen, int32_t backward) {
  const int32_t top = PanelTopHeight(panel);
  if (!PagesFit(panel, screen, top)) FatalError("Internal !");
  if (!(progress > 0.0f && progress < 1.0f)) return;
  const Pages pages =
      backward == 0 ? Pages{panel.oldPage, panel.newPage} : Pages{panel.newPage, panel.oldPage};
  const int32_t width = panel.newPage.width, height = panel.newPage.height;
  const float length = static_cast<float>(height - 1) + SLANT * static_cast<float>(width);
  const float s = length * (backward == 0 ? 1.0f - progress : progress);
  const auto x0 = static_cast<int32_t>((s - static_cast<float>(height)) * INVERSE_SLANT);
  const auto x1 = static_cast<int32_t>(s * INVERSE_SLANT);
  uint32_t* view = screen.pixels + int64_t{top} * screen.width;
  ForEachEdgePoint(x0, x1, height, [&](int64_t x, int32_t y) {
    SplitRow(pages, x, y, view + int64_t{y} * screen.width);
  });
  ForEachEdgePoint(x0, x1, height,
                   [&](int64_t x, int32_t y) { Fold(pages, x, y, view, screen.width); });
}
