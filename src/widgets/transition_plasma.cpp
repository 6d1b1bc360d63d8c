#include <algorithm>

#include "base/fatal.h"
#include "pictures/draw.h"
#include "widgets/transitions.h"

namespace {

// Progress below 1 keeps the product below 256 (0.99999994 * 256 is exact).
uint8_t Threshold(float progress) { return static_cast<uint8_t>(progress * 256.0f); }

// newPage is panel-built at oldPage's size; clipping to both keeps a
// mismatched pair inside its pixels.
void Dissolve(Picture& page, const Picture& next, const IndexedPicture& plasma, uint8_t threshold) {
  const int32_t width = std::min(page.width, next.width);
  const int32_t height = std::min(page.height, next.height);
  if (width < 1 || height < 1) return;
  for (int32_t y = 0; y < height; ++y) {
    uint32_t* to = page.pixels + int64_t{y} * page.width;
    const uint32_t* from = next.pixels + int64_t{y} * next.width;
    const uint8_t* order = plasma.pixels + int64_t{y} * plasma.width;
    for (int32_t x = 0; x < width; ++x) {
      if (order[x] < threshold) to[x] = from[x];
    }
  }
}

}  // namespace

void PlasmaFrame(Panel& panel, float progress, Picture& screen, const IndexedPicture& plasma) {
  if (plasma.width < panel.oldPage.width || plasma.height < panel.oldPage.height) {
    FatalError("Bad plasma !");
  }
  if (!(progress > 0.0f && progress < 1.0f)) return;
  Dissolve(panel.oldPage, panel.newPage, plasma, Threshold(progress));
  Blit(panel.oldPage, 0, PanelTopHeight(panel), screen, DRAW_OPAQUE, 1.0f);
}
