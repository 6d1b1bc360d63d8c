#include <algorithm>
#include <array>
#include <optional>

#include "pictures/draw.h"
#include "pictures/draw_area.h"

namespace {

// Calls row(to, columns) for each covered row, top to bottom.
template <typename Row>
void ForEachRow(Picture& dest, const DrawArea& a, Row row) {
  uint32_t* to = dest.pixels + a.dstY * dest.width + a.dstX;
  for (int64_t r = 0; r < a.rows; ++r, to += dest.width) row(to, a.columns);
}

void Fill(uint32_t colour, Picture& dest, const DrawArea& a) {
  ForEachRow(dest, a, [colour](uint32_t* to, int64_t n) { std::fill_n(to, n, colour); });
}

// The colour's share of the blend, A[channel] for each channel, already in
// place; only the destination's share B[channel] varies per pixel.
struct FillBlend {
  uint32_t top;
  std::array<uint8_t, 256> bottom;  // trunc((1 - alpha) * v)
};

// In float, as alpha is one: the products round before they are truncated.
FillBlend MakeBlend(uint32_t colour, float alpha) {
  FillBlend f{0, {}};
  const float rest = 1.0f - alpha;
  for (int v = 0; v < 256; ++v) f.bottom[v] = static_cast<uint8_t>(rest * static_cast<float>(v));
  for (int shift = 0; shift < 24; shift += 8) {
    const auto v = static_cast<float>((colour >> shift) & 255);
    f.top |= uint32_t{static_cast<uint8_t>(alpha * v)} << shift;
  }
  return f;
}

// No channel sum exceeds 255, so adding the packed shares never carries.
uint32_t BlendPixel(const FillBlend& f, uint32_t bottom) {
  const uint32_t r = f.bottom[(bottom >> 16) & 255];
  const uint32_t g = f.bottom[(bottom >> 8) & 255];
  const uint32_t b = f.bottom[bottom & 255];
  return f.top + (r << 16 | g << 8 | b);
}

// The tables are local to the call, which keeps blending re-entrant.
void Blend(uint32_t colour, Picture& dest, const DrawArea& a, float alpha) {
  const FillBlend f = MakeBlend(colour, alpha);
  ForEachRow(dest, a, [&f](uint32_t* to, int64_t n) {
    for (int64_t i = 0; i < n; ++i) to[i] = BlendPixel(f, to[i]);
  });
}

}  // namespace

void FillRect(uint32_t colour, int32_t x, int32_t y, int32_t width, int32_t height,
              Picture& destination, int mode, float alpha) {
  const std::optional<DrawArea> area = ClipDrawArea(x, y, width, height, destination);
  if (!area) return;
  if (mode == DRAW_ALPHA) {
    // NaN compares false both ways: it draws nothing, like alpha <= 0.
    if (!(alpha > 0.0f)) return;
    if (alpha < 1.0f) {
      Blend(colour, destination, *area, alpha);
      return;
    }
    mode = DRAW_OPAQUE;
  }
  if (mode == DRAW_OPAQUE) Fill(colour, destination, *area);
}
