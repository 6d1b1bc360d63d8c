#include "engine/present.h"

#include <gtest/gtest.h>

#include <random>

#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/video.h"

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr MakeSurface(int bits, uint32_t r, uint32_t g, uint32_t b) {
  return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, bits, r, g, b, 0));
}

uint32_t SurfacePixel(const SDL_Surface* s, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
  if (s->format->BytesPerPixel == 4) return reinterpret_cast<const uint32_t*>(row)[x];
  return reinterpret_cast<const uint16_t*>(row)[x];
}

}  // namespace

// Rows of odd width, 16-bit ones starting off a 4-byte boundary, each with a
// guard after it that no conversion may touch.
TEST(Present, ConversionsFollowTheirFormulas) {
  EXPECT_EQ(ToRgb555(0xFFFFFF), 0x7FFF);
  EXPECT_EQ(ToRgb565(0xFFFFFF), 0xFFFF);
  EXPECT_EQ(ToRgb555(0x070707), 0);
  EXPECT_EQ(ToRgb565(0x070307), 0);
  constexpr int W = 13, H = 3, STRIDE = 16;
  Picture frame{};
  PictureAlloc(frame, W, H);
  std::mt19937 random(1);
  for (int i = 0; i < W * H; ++i) frame.pixels[i] = random() & 0xFFFFFF;
  struct Mode {
    int bits;
    uint32_t r, g, b;
    int32_t pixelMode;
    uint32_t (*expected)(uint32_t);
  };
  const Mode modes[] = {
      {32, 0xFF0000, 0xFF00, 0xFF, PIXEL_ARGB8888, [](uint32_t p) { return p; }},
      {16, 0xF800, 0x7E0, 0x1F, PIXEL_RGB565, [](uint32_t p) -> uint32_t { return ToRgb565(p); }},
      {15, 0x7C00, 0x3E0, 0x1F, PIXEL_RGB555, [](uint32_t p) -> uint32_t { return ToRgb555(p); }}};
  for (const Mode& mode : modes) {
    const int bytes = mode.bits == 32 ? 4 : 2;
    std::vector<uint32_t> store(H * STRIDE + 1, 0xABABABAB);
    auto* first = reinterpret_cast<uint8_t*>(store.data()) + (bytes == 2 ? 2 : 0);
    SurfacePtr surface(SDL_CreateRGBSurfaceFrom(first, W, H, mode.bits, STRIDE * bytes, mode.r,
                                                mode.g, mode.b, 0));
    ConvertFrame(frame, surface.get(), mode.pixelMode);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        EXPECT_EQ(SurfacePixel(surface.get(), x, y), mode.expected(frame.pixels[y * W + x]))
            << mode.bits << ": " << x << "," << y;
      }
      EXPECT_EQ(first[(y * STRIDE + W) * bytes], 0xAB) << mode.bits << ": " << y;
    }
  }
  PictureFree(frame);
}

TEST(Present, CursorSkipsZeroPixelsAndClips) {
  Picture cursor{};
  PictureAlloc(cursor, 3, 3);
  cursor.pixels[0] = 0xFFFFFF;  // top left
  cursor.pixels[8] = 0x00FF00;  // bottom right; the rest is transparent
  SurfacePtr surface = MakeSurface(32, 0xFF0000, 0xFF00, 0xFF);
  SDL_FillRect(surface.get(), nullptr, 0x123456);
  DrawCursorPicture(cursor, 638, 478, surface.get(), PIXEL_ARGB8888);
  EXPECT_EQ(SurfacePixel(surface.get(), 638, 478), 0xFFFFFFu);
  EXPECT_EQ(SurfacePixel(surface.get(), 639, 479), 0x123456u);
  DrawCursorPicture(cursor, -2, -2, surface.get(), PIXEL_ARGB8888);
  EXPECT_EQ(SurfacePixel(surface.get(), 0, 0), 0x00FF00u);
  EXPECT_EQ(SurfacePixel(surface.get(), 1, 0), 0x123456u);

  SurfacePtr rgb555 = MakeSurface(15, 0x7C00, 0x3E0, 0x1F);
  DrawCursorPicture(cursor, 10, 10, rgb555.get(), PIXEL_RGB555);
  EXPECT_EQ(SurfacePixel(rgb555.get(), 12, 12), ToRgb555(0x00FF00));
}
