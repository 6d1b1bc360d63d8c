#include "resources/draw.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/setup_config.h"

namespace {

using Pixels = std::vector<uint32_t>;
constexpr int32_t I32_MIN = std::numeric_limits<int32_t>::min();
constexpr int32_t I32_MAX = std::numeric_limits<int32_t>::max();

// A borrowed picture with guard pixels on both sides of its block.
struct Guarded {
  static constexpr size_t GUARD = 8;
  static constexpr uint32_t GUARD_VALUE = 0xDEADBEEF;
  Pixels buffer;
  Picture view;

  Guarded(int32_t width, int32_t height, std::mt19937& rng)
      : buffer(size_t(width) * height + 2 * GUARD, GUARD_VALUE),
        view{nullptr, buffer.data() + GUARD, width, height} {
    for (size_t i = 0; i < size_t(width) * height; ++i) view.pixels[i] = rng();
  }
  Pixels Contents() const { return {view.pixels, view.pixels + view.width * view.height}; }
  bool GuardsIntact() const {
    for (size_t i = 0; i < GUARD; ++i) {
      if (buffer[i] != GUARD_VALUE || buffer[buffer.size() - 1 - i] != GUARD_VALUE) return false;
    }
    return true;
  }
};

// Restores the copy options the test changes.
struct CopyOptions {
  SetupConfig saved = Setup;
  ~CopyOptions() { Setup = saved; }
  void Use(int which) {
    Setup.UseSimd = which == 2;
    Setup.UseMmx = which == 1;
  }
};

Picture Filled(int32_t width, int32_t height, uint32_t value) {
  Picture p;
  PictureAlloc(p, width, height);
  std::fill_n(p.pixels, width * height, value);
  return p;
}

// Per channel, in float, straight from the arithmetic: no tables.
uint32_t RefBlend(uint32_t top, uint32_t bottom, float alpha) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const auto t = static_cast<float>((top >> shift) & 255);
    const auto b = static_cast<float>((bottom >> shift) & 255);
    out |= static_cast<uint32_t>(std::trunc(alpha * t) + std::trunc((1.0f - alpha) * b)) << shift;
  }
  return out;
}

// Applies mode to each destination pixel that a w x h block at (x, y) covers;
// top(i, j) gives the value drawn at (i, j) of the block.
template <typename Top>
Pixels RefDraw(Pixels d, int32_t dw, int32_t dh, int64_t x, int64_t y, int64_t w, int64_t h,
               int mode, float alpha, Top top) {
  if (mode == DRAW_ALPHA && !(alpha > 0)) return d;
  if (mode == DRAW_ALPHA && alpha >= 1) mode = DRAW_OPAQUE;
  for (int64_t row = 0; row < dh; ++row) {
    for (int64_t column = 0; column < dw; ++column) {
      const int64_t i = column - x, j = row - y;
      if (i < 0 || i >= w || j < 0 || j >= h) continue;
      uint32_t& out = d[row * dw + column];
      const uint32_t p = top(i, j);
      if (mode == DRAW_OPAQUE || (mode == DRAW_KEYED && p != 0)) out = p;
      if (mode == DRAW_ALPHA) out = RefBlend(p, out, alpha);
    }
  }
  return d;
}

int32_t Position(std::mt19937& rng) {
  static constexpr int32_t FAR[] = {I32_MIN, I32_MIN + 1, I32_MAX, I32_MAX - 3, -1000000};
  if (rng() % 8 == 0) return FAR[rng() % std::size(FAR)];
  return std::uniform_int_distribution<int32_t>(-50, 50)(rng);
}

int32_t Size(std::mt19937& rng) { return rng() % 8 == 0 ? I32_MAX : int32_t(rng() % 50) - 3; }

float Alpha(std::mt19937& rng) {
  static constexpr float SPECIAL[] = {
      0.5f, 0.0f,           1.0f,   -0.25f,
      1.5f, 0x1.fffffep-1f, 1e-30f, std::numeric_limits<float>::quiet_NaN()};
  if (rng() % 3 == 0) return SPECIAL[rng() % std::size(SPECIAL)];
  return std::uniform_real_distribution<float>(0.0f, 1.0f)(rng);
}

TEST(Blit, ClipsAtTheEdges) {
  Picture source;
  PictureAlloc(source, 20, 20);
  for (int32_t i = 0; i < 400; ++i) source.pixels[i] = 0x010000 * (i / 20) + i % 20 + 1;
  Picture dest = Filled(640, 480, 0);
  Blit(source, -10, 0, dest, DRAW_OPAQUE, 1.0f);
  EXPECT_EQ(dest.pixels[0], 11u);
  EXPECT_EQ(dest.pixels[9], 20u);
  EXPECT_EQ(dest.pixels[10], 0u);
  dest = Filled(640, 480, 0);
  Blit(source, 0, 470, dest, DRAW_OPAQUE, 1.0f);
  EXPECT_EQ(dest.pixels[470 * 640], 1u);
  EXPECT_EQ(dest.pixels[479 * 640 + 19], 0x090000u + 20);
  dest = Filled(20, 20, 0);
  Blit(source, 0, -3, dest, DRAW_OPAQUE, 1.0f);
  EXPECT_EQ(dest.pixels[0], 0x030001u);
  EXPECT_EQ(dest.pixels[16 * 20], 0x130001u);
  EXPECT_EQ(dest.pixels[17 * 20], 0u);
}

TEST(Blit, BlendsAndKeys) {
  const Picture black = Filled(4, 4, 0);
  const Picture grey = Filled(4, 4, 0x123456);
  Picture dest = Filled(4, 4, 0xFFFFFFFF);
  Blit(black, 0, 0, dest, DRAW_KEYED, 1.0f);
  Blit(grey, 0, 0, dest, DRAW_ALPHA, 0.0f);
  Blit(grey, 0, 0, dest, DRAW_ALPHA, std::numeric_limits<float>::quiet_NaN());
  FillRect(0, 0, 0, 4, 4, dest, DRAW_ALPHA, std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(dest.pixels[15], 0xFFFFFFFFu);
  Blit(black, 0, 0, dest, DRAW_ALPHA, 0.5f);
  EXPECT_EQ(dest.pixels[15], 0x7F7F7Fu);
  Blit(grey, 0, 0, dest, DRAW_ALPHA, 1.0f);
  EXPECT_EQ(dest.pixels[15], 0x123456u);
  Blit(Picture{}, 0, 0, dest, DRAW_OPAQUE, 1.0f);
  EXPECT_EQ(dest.pixels[0], 0x123456u);
}

// Every (top, bottom) pair, for alphas whose products round across an integer
// in float but not in double.
TEST(Blend, RoundsInFloat) {
  Picture source, dest;
  PictureAlloc(source, 256, 256);
  for (float alpha : {0.1f, 0.35f, 0.7f}) {
    for (uint32_t i = 0; i < 256 * 256; ++i) source.pixels[i] = (i % 256) * 0x010101;
    dest = Filled(256, 256, 0);
    for (uint32_t i = 0; i < 256 * 256; ++i) dest.pixels[i] = (i / 256) * 0x010101;
    Picture filled = Filled(256, 256, 0);
    std::copy_n(dest.pixels, 256 * 256, filled.pixels);
    Blit(source, 0, 0, dest, DRAW_ALPHA, alpha);
    for (int32_t t = 0; t < 256; ++t)
      FillRect(t * 0x010101, t, 0, 1, 256, filled, DRAW_ALPHA, alpha);
    for (uint32_t i = 0; i < 256 * 256; ++i) {
      const uint32_t expected = RefBlend(source.pixels[i], (i / 256) * 0x010101, alpha);
      ASSERT_EQ(dest.pixels[i], expected) << alpha << " " << i;
      ASSERT_EQ(filled.pixels[i], expected) << alpha << " " << i;
    }
  }
}

TEST(Blit, MatchesReferenceAtRandom) {
  std::mt19937 rng(11);
  CopyOptions options;
  for (int n = 0; n < 3000; ++n) {
    options.Use(rng() % 3);
    const int32_t dw = 1 + rng() % 37, dh = 1 + rng() % 29;
    const bool same = rng() % 8 == 0;
    Picture source;
    PictureAlloc(source, same ? dw : 1 + rng() % 40, same ? dh : 1 + rng() % 40);
    for (int32_t i = 0; i < source.width * source.height; ++i) {
      source.pixels[i] = rng() % 4 == 0 ? 0 : rng();
    }
    Guarded dest(dw, dh, rng);
    const bool origin = same && rng() % 2;
    const int32_t x = origin ? 0 : Position(rng), y = origin ? 0 : Position(rng);
    const int mode = rng() % 5;
    const float alpha = Alpha(rng);
    const Pixels expected =
        RefDraw(dest.Contents(), dw, dh, x, y, source.width, source.height, mode, alpha,
                [&](int64_t i, int64_t j) { return source.pixels[j * source.width + i]; });
    Blit(source, x, y, dest.view, mode, alpha);
    ASSERT_EQ(dest.Contents(), expected) << x << "," << y << " mode " << mode << " " << alpha;
    ASSERT_TRUE(dest.GuardsIntact());
  }
}

TEST(FillRect, MatchesReferenceAtRandom) {
  std::mt19937 rng(12);
  for (int n = 0; n < 3000; ++n) {
    Guarded dest(1 + rng() % 37, 1 + rng() % 29, rng);
    const int32_t x = Position(rng), y = Position(rng);
    const int32_t w = Size(rng), h = Size(rng);
    const uint32_t colour = rng() % 2 ? 0 : rng();
    const int mode = rng() % 5;
    const float alpha = Alpha(rng);
    const Pixels expected =
        RefDraw(dest.Contents(), dest.view.width, dest.view.height, x, y, w, h,
                mode == DRAW_KEYED ? 0 : mode, alpha, [&](int64_t, int64_t) { return colour; });
    FillRect(colour, x, y, w, h, dest.view, mode, alpha);
    ASSERT_EQ(dest.Contents(), expected) << x << "," << y << " " << w << "x" << h;
    ASSERT_TRUE(dest.GuardsIntact());
  }
}

// Bresenham as written, in 64 bits, plotting inside only.
Pixels RefLine(Pixels d, int32_t dw, int32_t dh, int64_t x0, int64_t x1, int64_t y0, int64_t y1,
               uint32_t colour) {
  int64_t dx = x1 - x0, dy = y1 - y0, step = 1;
  if (dx < 0) std::tie(x0, y0, dx, dy) = std::tuple(x1, y1, -dx, -dy);
  if (dy < 0) std::tie(step, dy) = std::pair(-1, -dy);
  auto plot = [&](int64_t x, int64_t y) {
    if (x >= 0 && x < dw && y >= 0 && y < dh) d[y * dw + x] = colour;
  };
  int64_t x = x0, y = y0;
  if (dx > dy) {
    int64_t error = dx >> 1;
    for (int64_t k = 0; k <= dx; ++k, x += 1) {
      plot(x, y);
      error -= dy;
      if (error < 0) {
        error += dx;
        y += step;
      }
    }
  } else {
    int64_t error = dy >> 1;
    for (int64_t k = 0; k <= dy; ++k, y += step) {
      plot(x, y);
      error -= dx;
      if (error < 0) {
        error += dy;
        x += 1;
      }
    }
  }
  return d;
}

TEST(DrawLine, PlotsTheTextbookPixels) {
  Picture dest = Filled(12, 6, 0);
  DrawLine(5, 5, 2, 2, 7, dest);
  EXPECT_EQ(std::count(dest.pixels, dest.pixels + 72, 7u), 1);
  EXPECT_EQ(dest.pixels[2 * 12 + 5], 7u);
  dest = Filled(12, 6, 0);
  DrawLine(10, 0, 0, 3, 1, dest);
  const std::pair<int, int> drawn[] = {{0, 3}, {1, 3}, {2, 2}, {3, 2}, {4, 2}, {5, 2},
                                       {6, 1}, {7, 1}, {8, 1}, {9, 0}, {10, 0}};
  for (auto [x, y] : drawn) EXPECT_EQ(dest.pixels[y * 12 + x], 1u) << x << "," << y;
  EXPECT_EQ(std::count(dest.pixels, dest.pixels + 72, 1u), 11);
}

TEST(DrawLine, MatchesReferenceAtRandom) {
  std::mt19937 rng(13);
  for (int n = 0; n < 3000; ++n) {
    Guarded dest(1 + rng() % 37, 1 + rng() % 23, rng);
    const int32_t reach = n % 100 == 0 ? 1000000 : 60;
    std::uniform_int_distribution<int32_t> end(-reach, reach);
    const int32_t x0 = end(rng), x1 = end(rng), y0 = end(rng), y1 = end(rng);
    const Pixels expected =
        RefLine(dest.Contents(), dest.view.width, dest.view.height, x0, x1, y0, y1, 5);
    DrawLine(x0, x1, y0, y1, 5, dest.view);
    ASSERT_EQ(dest.Contents(), expected) << x0 << "," << y0 << " " << x1 << "," << y1;
    ASSERT_TRUE(dest.GuardsIntact());
  }
}

TEST(DrawLine, FarEndsAreClippedQuickly) {
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
  for (uint8_t& b : from) b = static_cast<uint8_t>(rng());
  CopyOptions options;
  for (int which = 0; which < 3; ++which) {
    options.Use(which);
    for (int32_t count : {-5, 0, 1, 7, 31, 32, 33, 63, 64, 65, 1001, 65537}) {
      for (size_t offset = 0; offset < 48; ++offset) {
        const size_t size = std::max(count, 0) + 64;
        std::vector<uint8_t> to(size, 0xAA), expected(size, 0xAA);
        std::memcpy(expected.data() + 16 + offset % 16, from.data() + offset / 16,
                    std::max(count, 0));
        FastCopy(from.data() + offset / 16, to.data() + 16 + offset % 16, count);
        ASSERT_EQ(to, expected) << which << " " << count << " " << offset;
      }
    }
    std::vector<uint8_t> overlap(from.begin(), from.begin() + 300), expected = overlap;
    std::memmove(expected.data() + 5, expected.data(), 290);
    FastCopy(overlap.data(), overlap.data() + 5, 290);
    EXPECT_EQ(overlap, expected) << which;
  }
}

}  // namespace
