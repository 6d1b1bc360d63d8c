#include "pictures/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>

namespace {

using Pixels = std::vector<uint32_t>;
constexpr size_t PAD = 8;  // guard pixels on each side of a destination

// Per channel and per pixel, in float: no tables.
uint32_t RefBlend(uint32_t top, uint32_t bottom, float alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto t = float((top >> shift) & 255), b = float((bottom >> shift) & 255);
    out |= static_cast<uint32_t>(std::trunc(alpha * t) + std::trunc((1.0f - alpha) * b)) << shift;
  }
  return out;
}

// Applies mode to each pixel of a padded dw x dh buffer that a w x h block at
// (x, y) covers; top(i, j) is the value at (i, j) of the block.
template <typename Top>
Pixels RefDraw(Pixels d, int64_t dw, int64_t dh, int64_t x, int64_t y, int64_t w, int64_t h,
               int mode, float alpha, Top top) {
  if (mode == DRAW_ALPHA && !(alpha > 0)) return d;
  if (mode == DRAW_ALPHA && alpha >= 1) mode = DRAW_OPAQUE;
  for (int64_t row = 0; row < dh; ++row) {
    for (int64_t column = 0; column < dw; ++column) {
      const int64_t i = column - x, j = row - y;
      if (i < 0 || i >= w || j < 0 || j >= h) continue;
      uint32_t& out = d[PAD + row * dw + column];
      const uint32_t p = top(i, j);
      if (mode == DRAW_OPAQUE || (mode == DRAW_KEYED && p != 0)) out = p;
      if (mode == DRAW_ALPHA) out = RefBlend(p, out, alpha);
    }
  }
  return d;
}

// Blits of random pictures and fills of one colour, at any place, in every mode.
TEST(Blit, BlitAndFillMatchTheReferenceAtRandom) {
  std::mt19937 rng(11);
  static constexpr int32_t FAR[] = {INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 3, -1000000};
  // 0.1, 0.35 and 0.7 have products that round across an integer in float.
  static constexpr float ALPHAS[] = {0.5f, 0.0f, 1.0f,  -0.25f, 1.5f, 0x1.fffffep-1f, 0.1f, 0.7f,
                                     0.35f, 1e-30f, NAN};
  auto size = [&rng] { return rng() % 8 ? int32_t(rng() % 50) - 3 : INT32_MAX; };
  auto at = [&rng] { return rng() % 8 ? int32_t(rng() % 101) - 50 : FAR[rng() % std::size(FAR)]; };
  const CopyMode saved = SetCopyMode(COPY_PLAIN);
  for (int n = 0; n < 6000; ++n) {
    SetCopyMode(std::array{COPY_SSE2, COPY_CHUNKS, COPY_PLAIN}[rng() % 3]);
    // A random destination between guard pixels that must survive.
    const int32_t dw = 1 + rng() % 37, dh = 1 + rng() % 29;
    Pixels buffer(size_t(dw) * dh + 2 * PAD, 0xDEADBEEF);
    std::generate(buffer.begin() + PAD, buffer.end() - PAD, std::ref(rng));
    Picture dest{nullptr, buffer.data() + PAD, dw, dh};
    const bool fill = n % 2, same = rng() % 4 == 0, origin = same && rng() % 2;
    const int32_t x = same ? 0 : at(), y = origin ? 0 : at();
    const int mode = rng() % 5;
    const float alpha = rng() % 2 ? std::uniform_real_distribution<float>(0, 1)(rng)
                                  : ALPHAS[rng() % std::size(ALPHAS)];
    Picture source{};
    Pixels expected;
    if (fill) {
      const int32_t w = size(), h = size();
      const uint32_t colour = rng() % 2 ? rng() : 0;
      expected = RefDraw(buffer, dest.width, dest.height, x, y, w, h, mode == DRAW_KEYED ? 0 : mode,
                         alpha, [colour](int64_t, int64_t) { return colour; });
      FillRect(colour, x, y, w, h, dest, mode, alpha);
    } else {
      if (n % 50 != 0) {  // else an empty source, which draws nothing
        PictureAlloc(source, same ? dest.width : 1 + rng() % 40,
                     same ? dest.height : 1 + rng() % 40);
      }
      const int32_t w = source.width, h = source.height;
      for (int32_t i = 0; i < w * h; ++i) source.pixels[i] = rng() % 4 ? rng() : 0;
      expected = RefDraw(buffer, dest.width, dest.height, x, y, w, h, mode, alpha,
                         [&](int64_t i, int64_t j) { return source.pixels[j * w + i]; });
      Blit(source, x, y, dest, mode, alpha);
    }
    ASSERT_EQ(buffer, expected) << fill << " " << x << "," << y << " " << mode << " " << alpha;
  }
  SetCopyMode(saved);
}

// A known slope; then lines across the whole picture from billions of steps
// outside it, which are skipped, not walked.
TEST(DrawLine, KnownPixelsAndFarEnds) {
  Picture dest{};
  PictureAlloc(dest, 12, 4);
  DrawLine(10, 0, 0, 3, 1, dest);
  const char* const expected =
      ".........11."
      "......111..."
      "..1111......"
      "11..........";
  for (int32_t i = 0; i < 48; ++i) EXPECT_EQ(dest.pixels[i], expected[i] == '1' ? 1u : 0u) << i;
  PictureAlloc(dest, 16, 16);
  DrawLine(INT32_MIN, INT32_MAX, 5, 5, 1, dest);
  DrawLine(INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, 2, dest);
  DrawLine(3, 3, INT32_MAX, INT32_MIN, 3, dest);
  for (int32_t i = 0; i < 256; ++i) {
    const int32_t x = i % 16, y = i / 16;
    EXPECT_EQ(dest.pixels[i], x == 3 ? 3u : x == y ? 2u : y == 5 ? 1u : 0u) << x << "," << y;
  }
}

TEST(FastCopy, SameBytesUnderEveryOption) {
  std::mt19937 rng(14);
  std::vector<uint8_t> from(70000);
  std::generate(from.begin(), from.end(), std::ref(rng));
  const CopyMode saved = SetCopyMode(COPY_PLAIN);
  for (CopyMode mode : {COPY_PLAIN, COPY_CHUNKS, COPY_SSE2}) {
    SetCopyMode(mode);
    for (int32_t count : {-5, 0, 1, 7, 31, 32, 33, 63, 64, 65, 1001, 65537}) {
      for (size_t offset = 0; offset < 48; ++offset) {
        std::vector<uint8_t> to(std::max(count, 0) + 64, 0xAA), expected = to;
        const uint8_t* source = from.data() + offset / 16;
        std::memcpy(expected.data() + 16 + offset % 16, source, std::max(count, 0));
        FastCopy(source, to.data() + 16 + offset % 16, count);
        ASSERT_EQ(to, expected) << mode << " " << count << " " << offset;
      }
    }
    std::vector<uint8_t> overlap(from.begin(), from.begin() + 300), expected = overlap;
    std::memmove(expected.data() + 5, expected.data(), 290);
    FastCopy(overlap.data(), overlap.data() + 5, 290);
    EXPECT_EQ(overlap, expected) << mode;
  }
  SetCopyMode(saved);
}

}  // namespace
