#include <algorithm>

#include "base/fatal.h"
#include "pictures/draw.h"
#include "widgets/panel.h"

namespace {

// A thousandth of a pixel absorbs float noise: progress interpolated to 0.4
// arrives as 0.40000004 and must still select 0.4's column.
constexpr double OFFSET_TOLERANCE = 1e-3;

// Not a number reads as the start.
float ClampProgress(float p) {
  if (!(p >= 0.0f)) return 0.0f;
  return p > 1.0f ? 1.0f : p;
}

// Checked on the whole bar picture, though only half of it is drawn, and a
// bar reaching the last column or row is refused too: panel files are laid
// out by this rule.
bool BarFits(const Panel& panel, const Picture& screen) {
  const int64_t x = panel.barX, y = panel.barY;
  if (x < 0 || x >= screen.width || y < 0 || y >= screen.height) return false;
  return x + panel.bar.width < screen.width && y + panel.bar.height < screen.height;
}

}  // namespace

void ProgressBarDraw(const Panel& panel, Picture& screen, float p) {
  const Picture& bar = panel.bar;
  const int32_t half = bar.width / 2;
  const double exact = (1.0 - ClampProgress(p)) * half + OFFSET_TOLERANCE;
  // At most half, so the window stays inside the picture's row.
  const int32_t offset = std::min(static_cast<int32_t>(exact), half);
  if (!BarFits(panel, screen)) FatalError("ProgressBar origin has bad values !");
  for (int32_t row = 0; row < bar.height; ++row) {
    const uint32_t* from = bar.pixels + static_cast<int64_t>(row) * bar.width + offset;
    uint32_t* to =
        screen.pixels + static_cast<int64_t>(panel.barY + row) * screen.width + panel.barX;
    FastCopy(from, to, half * 4);
  }
}
