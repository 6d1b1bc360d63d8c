// The clipping shared by Blit and FillRect (private to the drawing code).
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "pictures/picture.h"

// The visible part of a width x height rectangle placed at (x, y) of dest:
// where it starts inside the rectangle and inside dest, and how many columns
// and rows show (at least 1 each).
struct DrawArea {
  int64_t srcX, srcY, dstX, dstY, columns, rows;
};

// 64-bit so that a position near the int32 limits cannot overflow x + width.
inline std::optional<DrawArea> ClipDrawArea(int64_t x, int64_t y, int64_t width, int64_t height,
                                            const Picture& dest) {
  if (dest.pixels == nullptr || width < 1 || height < 1) return std::nullopt;
  if (x >= dest.width || y >= dest.height || x + width <= 0 || y + height <= 0) {
    return std::nullopt;
  }
  const int64_t srcX = std::max<int64_t>(-x, 0), srcY = std::max<int64_t>(-y, 0);
  const int64_t dstX = std::max<int64_t>(x, 0), dstY = std::max<int64_t>(y, 0);
  const int64_t columns = std::min(width - srcX, dest.width - dstX);
  const int64_t rows = std::min(height - srcY, dest.height - dstY);
  if (columns < 1 || rows < 1) return std::nullopt;
  return DrawArea{srcX, srcY, dstX, dstY, columns, rows};
}
