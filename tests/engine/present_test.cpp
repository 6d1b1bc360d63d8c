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
  EXPECT_EQ(ToRgb555(0x070707) + ToRgb565(0x070307), 0);
  constexpr int W = 13, H = 3, STRIDE = 16;
  Picture frame{};
  PictureAlloc(frame, W, H);
  std::mt19937 random(1);
  for (int i = 0; i < W * H; ++i) frame.pixels[i] = random() & 0xFFFFFF;
  // The browser's 32-bit canvas holds red in the low byte.
  const auto swapped = [](uint32_t p) { return (p & 0xFF00) | (p >> 16 & 0xFF) | (p & 0xFF) << 16; };
  for (auto [bits, mode] : {std::pair{32, PIXEL_ARGB8888}, {32, PIXEL_ABGR8888}, {16, PIXEL_RGB565},
                            {15, PIXEL_RGB555}}) {
    const int bytes = bits == 32 ? 4 : 2;
    std::vector<uint32_t> store(H * STRIDE + 1, 0xABABABAB);
    auto* first = reinterpret_cast<uint8_t*>(store.data()) + (bytes == 2 ? 2 : 0);
    SurfacePtr surface(SDL_CreateRGBSurfaceFrom(first, W, H, bits, STRIDE * bytes, 0, 0, 0, 0));
    ConvertFrame(frame, surface.get(), mode);
    for (int y = 0; y < H; ++y) {
      for (int x = 0; x < W; ++x) {
        const uint32_t p = frame.pixels[y * W + x];
        EXPECT_EQ(SurfacePixel(surface.get(), x, y),
                  mode == PIXEL_ABGR8888 ? swapped(p)
                  : bits == 32           ? p
                  : bits == 16           ? ToRgb565(p)
                                         : ToRgb555(p))
            << bits << ": " << x << "," << y;
      }
      EXPECT_EQ(first[(y * STRIDE + W) * bytes], 0xAB) << bits << ": " << y;
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
