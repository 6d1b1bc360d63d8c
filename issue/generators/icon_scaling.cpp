#include "icon_scaling.h"

#include <algorithm>
#include <cstddef>

namespace {

// How much of source pixel s the new pixel d covers along one axis, in units
// of 1/to of a source pixel: d spans [d*from, (d+1)*from), s spans [s*to, (s+1)*to).
int Overlap(int d, int s, int from, int to) {
  int low = std::max(d * from, s * to), high = std::min((d + 1) * from, (s + 1) * to);
  return std::max(0, high - low);
}

uint32_t AreaAverage(const std::vector<uint32_t>& pixels, int from, int to, int dx, int dy) {
  long sums[3] = {0, 0, 0};
  // Only the source pixels under the new one, found from its span.
  for (int sy = dy * from / to; sy <= std::min(from - 1, ((dy + 1) * from - 1) / to); ++sy) {
    for (int sx = dx * from / to; sx <= std::min(from - 1, ((dx + 1) * from - 1) / to); ++sx) {
      long weight = long(Overlap(dx, sx, from, to)) * Overlap(dy, sy, from, to);
      uint32_t p = pixels[size_t(sy) * from + sx];
      for (int c = 0; c < 3; ++c) sums[c] += weight * ((p >> (16 - 8 * c)) & 0xFF);
    }
  }
  long area = long(from) * from;
  uint32_t result = 0;
  for (int c = 0; c < 3; ++c) result |= uint32_t((sums[c] + area / 2) / area) << (16 - 8 * c);
  return result;
}

}  // namespace

std::vector<uint32_t> ScaleIcon(const std::vector<uint32_t>& pixels, int from, int to) {
  std::vector<uint32_t> scaled;
  scaled.reserve(size_t(to) * to);
  for (int y = 0; y < to; ++y) {
    for (int x = 0; x < to; ++x) {
      if (to >= from) {
        // The source pixel under the new pixel's centre.
        int sx = (2 * x + 1) * from / (2 * to), sy = (2 * y + 1) * from / (2 * to);
        scaled.push_back(pixels[size_t(sy) * from + sx]);
      } else {
        scaled.push_back(AreaAverage(pixels, from, to, x, y));
      }
    }
  }
  return scaled;
}
