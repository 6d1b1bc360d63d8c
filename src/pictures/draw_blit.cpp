#include <algorithm>
#include <array>
#include <optional>

#include "pictures/draw.h"
#include "pictures/draw_area.h"

namespace {

std::optional<DrawArea> Clip(const Picture& source, int32_t x, int32_t y, const Picture& dest) {
  if (source.pixels == nullptr) return std::nullopt;
  return ClipDrawArea(x, y, source.width, source.height, dest);
}

// Calls row(from, to, columns) for each visible row, top to bottom.
template <typename Row>
void ForEachRow(const Picture& source, Picture& dest, const DrawArea& a, Row row) {
  const uint32_t* from = source.pixels + a.srcY * source.width + a.srcX;
  uint32_t* to = dest.pixels + a.dstY * dest.width + a.dstX;
  for (int64_t r = 0; r < a.rows; ++r, from += source.width, to += dest.width) {
    row(from, to, a.columns);
  }
}

void Copy(const Picture& source, Picture& dest, const DrawArea& a) {
  const bool whole = a.dstX == 0 && a.dstY == 0 && a.srcX == 0 && a.srcY == 0 &&
                     source.width == dest.width && source.height == dest.height;
  if (whole) {
    // At most PICTURE_MAX_BYTES, so it fits the count.
    FastCopy(source.pixels, dest.pixels, static_cast<int32_t>(a.columns * a.rows * 4));
    return;
  }
  ForEachRow(source, dest, a, [](const uint32_t* from, uint32_t* to, int64_t n) {
    FastCopy(from, to, static_cast<int32_t>(n * 4));
  });
}

void CopyKeyed(const Picture& source, Picture& dest, const DrawArea& a) {
  ForEachRow(source, dest, a, [](const uint32_t* from, uint32_t* to, int64_t n) {
    for (int64_t i = 0; i < n; ++i) {
      if (from[i] != 0) to[i] = from[i];
    }
  });
}

struct BlendTables {
  std::array<uint8_t, 256> top;     // trunc(alpha * v)
  std::array<uint8_t, 256> bottom;  // trunc((1 - alpha) * v)
};

// In float, as alpha is one: the products round before they are truncated.
BlendTables MakeTables(float alpha) {
  BlendTables t;
  const float rest = 1.0f - alpha;
  for (int v = 0; v < 256; ++v) {
    t.top[v] = static_cast<uint8_t>(alpha * static_cast<float>(v));
    t.bottom[v] = static_cast<uint8_t>(rest * static_cast<float>(v));
  }
  return t;
}

uint32_t BlendPixel(const BlendTables& t, uint32_t top, uint32_t bottom) {
  const uint32_t r = t.top[(top >> 16) & 255] + t.bottom[(bottom >> 16) & 255];
  const uint32_t g = t.top[(top >> 8) & 255] + t.bottom[(bottom >> 8) & 255];
  const uint32_t b = t.top[top & 255] + t.bottom[bottom & 255];
  return r << 16 | g << 8 | b;
}

// The tables are local to the call, which keeps blending re-entrant.
void Blend(const Picture& source, Picture& dest, const DrawArea& a, float alpha) {
  const BlendTables t = MakeTables(alpha);
  ForEachRow(source, dest, a, [&t](const uint32_t* from, uint32_t* to, int64_t n) {
    for (int64_t i = 0; i < n; ++i) to[i] = BlendPixel(t, from[i], to[i]);
  });
}

}  // namespace

void Blit(const Picture& source, int32_t x, int32_t y, Picture& destination, int mode,
          float alpha) {
  const std::optional<DrawArea> area = Clip(source, x, y, destination);
  if (!area) return;
  if (mode == DRAW_ALPHA) {
    // NaN compares false both ways: it draws nothing, like alpha <= 0.
    if (!(alpha > 0.0f)) return;
    if (alpha < 1.0f) {
      Blend(source, destination, *area, alpha);
      return;
    }
    mode = DRAW_OPAQUE;
  }
  if (mode == DRAW_OPAQUE) Copy(source, destination, *area);
  if (mode == DRAW_KEYED) CopyKeyed(source, destination, *area);
}
