#include "resources/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace {

using Pixels = std::vector<uint32_t>;
constexpr int32_t I32_MIN = std::numeric_limits<int32_t>::min();
constexpr int32_t I32_MAX = std::numeric_limits<int32_t>::max();
constexpr size_t PAD = 8;  // guard pixels on each side of a destination

// A random picture borrowing buffer, between guard pixels that must survive.
Picture Guarded(Pixels& buffer, int32_t width, int32_t height, std::mt19937& rng) {
  buffer.assign(size_t(width) * height + 2 * PAD, 0xDEADBEEF);
  std::generate(buffer.begin() + PAD, buffer.end() - PAD, std::ref(rng));
  return {nullptr, buffer.data() + PAD, width, height};
}

Picture Filled(int32_t width, int32_t height, uint32_t value) {
  Picture p;
  PictureAlloc(p, width, height);
  std::fill_n(p.pixels, width * height, value);
  return p;
}

// Per channel and per pixel, in float: no tables.
uint32_t RefBlend(uint32_t top, uint32_t bottom, float alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto t = static_cast<float>((top >> shift) & 255);
    const auto b = static_cast<float>((bottom >> shift) & 255);
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

int32_t Position(std::mt19937& rng) {
  static constexpr int32_t FAR[] = {I32_MIN, I32_MIN + 1, I32_MAX, I32_MAX - 3, -1000000};
  return rng() % 8 ? int32_t(rng() % 101) - 50 : FAR[rng() % std::size(FAR)];
}

// 0.1, 0.35 and 0.7 have products that round across an integer in float.
float Alpha(std::mt19937& rng) {
  static constexpr float SPECIAL[] = {0.5f, 0.0f, 1.0f,  -0.25f, 1.5f, 0x1.fffffep-1f,
                                      0.1f, 0.7f, 0.35f, 1e-30f, NAN};
  return rng() % 2 ? std::uniform_real_distribution<float>(0, 1)(rng)
                   : SPECIAL[rng() % std::size(SPECIAL)];
}

TEST(Blit, MatchesReferenceAtRandom) {
  std::mt19937 rng(11);
  const CopyMode saved = SetCopyMode(COPY_PLAIN);
  for (int n = 0; n < 3000; ++n) {
    const bool chunks = rng() % 2;
    SetCopyMode(rng() % 2 ? COPY_SSE2 : chunks ? COPY_CHUNKS : COPY_PLAIN);
    Pixels buffer;
    Picture dest = Guarded(buffer, 1 + rng() % 37, 1 + rng() % 29, rng);
    const bool same = rng() % 4 == 0, origin = same && rng() % 2;
    Picture source;
    PictureAlloc(source, same ? dest.width : 1 + rng() % 40, same ? dest.height : 1 + rng() % 40);
    for (int32_t i = 0; i < source.width * source.height; ++i)
      source.pixels[i] = rng() % 4 ? rng() : 0;
    const int32_t x = same ? 0 : Position(rng), y = origin ? 0 : Position(rng);
    const int mode = rng() % 5;
    const float alpha = Alpha(rng);
    const Pixels expected =
        RefDraw(buffer, dest.width, dest.height, x, y, source.width, source.height, mode, alpha,
                [&](int64_t i, int64_t j) { return source.pixels[j * source.width + i]; });
    Blit(source, x, y, dest, mode, alpha);
    ASSERT_EQ(buffer, expected) << x << "," << y << " mode " << mode << " alpha " << alpha;
  }
  Pixels buffer;
  Picture dest = Guarded(buffer, 4, 4, rng);
  const Pixels before = buffer;
  Blit(Picture{}, 0, 0, dest, DRAW_OPAQUE, 1.0f);  // an empty source draws nothing
  EXPECT_EQ(buffer, before);
  SetCopyMode(saved);
}

TEST(FillRect, MatchesReferenceAtRandom) {
  std::mt19937 rng(12);
  auto size = [&rng] { return rng() % 8 ? int32_t(rng() % 50) - 3 : I32_MAX; };
  for (int n = 0; n < 3000; ++n) {
    Pixels buffer;
    Picture dest = Guarded(buffer, 1 + rng() % 37, 1 + rng() % 29, rng);
    const int32_t x = Position(rng), y = Position(rng), w = size(), h = size();
    const uint32_t colour = rng() % 2 ? rng() : 0;
    const int mode = rng() % 5;
    const float alpha = Alpha(rng);
    const Pixels expected =
        RefDraw(buffer, dest.width, dest.height, x, y, w, h, mode == DRAW_KEYED ? 0 : mode, alpha,
                [colour](int64_t, int64_t) { return colour; });
    FillRect(colour, x, y, w, h, dest, mode, alpha);
    ASSERT_EQ(buffer, expected) << x << "," << y << " " << w << "x" << h << " " << alpha;
  }
}

// Bresenham as written, in 64 bits, on a padded buffer.
Pixels RefLine(Pixels d, int64_t dw, int64_t dh, int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
  int64_t dx = x1 - x0, dy = y1 - y0, step = 1;
  if (dx < 0) std::tie(x0, y0, dx, dy) = std::tuple(x1, y1, -dx, -dy);
  if (dy < 0) std::tie(step, dy) = std::tuple(-1, -dy);
  const bool flat = dx > dy;
  int64_t x = x0, y = y0, error = (flat ? dx : dy) >> 1;
  for (int64_t k = 0; k <= (flat ? dx : dy); ++k) {
    if (x >= 0 && x < dw && y >= 0 && y < dh) d[PAD + y * dw + x] = 5;
    error -= flat ? dy : dx;
    const bool minor = error < 0;
    if (minor) error += flat ? dx : dy;
    x += flat || minor;
    y += (!flat || minor) ? step : 0;
  }
  return d;
}

TEST(DrawLine, EdgeCases) {
  Picture dest = Filled(12, 4, 0);
  DrawLine(5, 5, 2, 2, 7, dest);
  EXPECT_EQ(dest.pixels[2 * 12 + 5], 7u);
  EXPECT_EQ(std::count(dest.pixels, dest.pixels + 48, 0u), 47);
  DrawLine(10, 0, 0, 3, 1, dest);
  const char* const expected =
      ".........11."
      "......111..."
      "..1111......"
      "11..........";
  for (int32_t i = 0; i < 48; ++i) EXPECT_EQ(dest.pixels[i], expected[i] == '1' ? 1u : 0u) << i;
}

TEST(DrawLine, MatchesReferenceAtRandom) {
  std::mt19937 rng(13);
  for (int n = 0; n < 3000; ++n) {
    Pixels buffer;
    Picture dest = Guarded(buffer, 1 + rng() % 37, 1 + rng() % 23, rng);
    const int32_t reach = n % 100 ? 60 : 1000000;
    std::uniform_int_distribution<int32_t> end(-reach, reach);
    const int32_t x0 = end(rng), x1 = end(rng), y0 = end(rng), y1 = end(rng);
    const Pixels expected = RefLine(buffer, dest.width, dest.height, x0, x1, y0, y1);
    DrawLine(x0, x1, y0, y1, 5, dest);
    ASSERT_EQ(buffer, expected) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
}

// Billions of steps outside the picture: skipped, not walked.
TEST(DrawLine, FarEnds) {
  Picture dest = Filled(16, 16, 0);
  DrawLine(I32_MIN, I32_MAX, 5, 5, 1, dest);
  DrawLine(I32_MAX, I32_MIN, I32_MAX, I32_MIN, 2, dest);
  DrawLine(3, 3, I32_MAX, I32_MIN, 3, dest);
  for (int32_t i = 0; i < 16; ++i) {
    EXPECT_EQ(dest.pixels[i * 16 + i], i == 3 ? 3u : 2u);
    EXPECT_EQ(dest.pixels[5 * 16 + i], i == 5 ? 2u : i == 3 ? 3u : 1u);
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
