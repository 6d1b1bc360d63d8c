#include "engine/present.h"

#include <gtest/gtest.h>

#include <random>

#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/reader_state.h"
#include "engine/video.h"
#include "support/fatal_catch.h"

namespace {

struct SurfaceDeleter {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

SurfacePtr MakeSurface(int bits, uint32_t r, uint32_t g, uint32_t b) {
  return SurfacePtr(SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, bits, r, g, b, 0));
}

Picture RandomFrame(unsigned seed) {
  Picture frame{};
  PictureAlloc(frame, SCREEN_WIDTH, SCREEN_HEIGHT);
  std::mt19937 random(seed);
  for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) frame.pixels[i] = random() & 0xFFFFFF;
  return frame;
}

uint32_t SurfacePixel(const SDL_Surface* s, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(s->pixels) + y * s->pitch;
  if (s->format->BytesPerPixel == 4) return reinterpret_cast<const uint32_t*>(row)[x];
  return reinterpret_cast<const uint16_t*>(row)[x];
}

}  // namespace

TEST(Present, ConversionsFollowTheirFormulas) {
  EXPECT_EQ(ToRgb555(0xFFFFFF), 0x7FFF);
  EXPECT_EQ(ToRgb565(0xFFFFFF), 0xFFFF);
  EXPECT_EQ(ToRgb555(0x070707), 0);
  EXPECT_EQ(ToRgb565(0x070307), 0);

  Picture frame = RandomFrame(1);
  struct Mode {
    SurfacePtr surface;
    int32_t pixelMode;
  };
  Mode modes[] = {{MakeSurface(32, 0xFF0000, 0xFF00, 0xFF), PIXEL_ARGB8888},
                  {MakeSurface(16, 0xF800, 0x7E0, 0x1F), PIXEL_RGB565},
                  {MakeSurface(15, 0x7C00, 0x3E0, 0x1F), PIXEL_RGB555}};
  for (Mode& mode : modes) {
    ConvertFrame(frame, mode.surface.get(), mode.pixelMode);
    for (int y = 0; y < SCREEN_HEIGHT; y += 7) {
      for (int x = 0; x < SCREEN_WIDTH; ++x) {
        uint32_t p = frame.pixels[y * SCREEN_WIDTH + x];
        uint32_t expected = mode.pixelMode == PIXEL_ARGB8888 ? p
                            : mode.pixelMode == PIXEL_RGB565 ? ToRgb565(p)
                                                             : ToRgb555(p);
        ASSERT_EQ(SurfacePixel(mode.surface.get(), x, y), expected) << x << "," << y;
      }
    }
  }
}

TEST(Present, OddWidthsAndUnalignedRowsConvertEveryPixel) {
  constexpr int W = 13, H = 3, STRIDE = 16;
  Picture frame{};
  PictureAlloc(frame, W, H);
  for (int i = 0; i < W * H; ++i) frame.pixels[i] = 0x10101u * (i + 1) * 5;
  // Rows 2 bytes off a 4-byte boundary, with a guard pixel on each side.
  std::vector<uint16_t> store(H * STRIDE + 2, 0xABCD);
  SurfacePtr surface(SDL_CreateRGBSurfaceFrom(store.data() + 1, W, H, 16, STRIDE * 2, 0xF800,
                                              0x7E0, 0x1F, 0));
  ConvertFrame(frame, surface.get(), PIXEL_RGB565);
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      EXPECT_EQ(store[1 + y * STRIDE + x], ToRgb565(frame.pixels[y * W + x]));
    }
    EXPECT_EQ(store[1 + y * STRIDE + W], 0xABCD);
  }
  EXPECT_EQ(store[0], 0xABCD);
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

TEST(Present, SurfaceBackBufferLockRules) {
  Reader reader;
  SurfacePtr good = MakeSurface(32, 0xFF0000, 0xFF00, 0xFF);
  ASSERT_EQ(good->pitch, SCREEN_WIDTH * 4);
  reader.BackBufferSurface = good.get();
  reader.Presentation = PresentState{};
  EXPECT_TRUE(LockBackBuffer(reader));
  EXPECT_EQ(reader.BackBuffer.pixels, good->pixels);
  EXPECT_EQ(FatalMessageOf([&] { LockBackBuffer(reader); }), "Already locked !");

  std::vector<uint32_t> store(642 * 480);
  SurfacePtr wide(SDL_CreateRGBSurfaceFrom(store.data(), 640, 480, 32, 642 * 4, 0xFF0000, 0xFF00, 0xFF, 0));
  reader.BackBufferSurface = wide.get();
  reader.Presentation = PresentState{};
  EXPECT_EQ(FatalMessageOf([&] { LockBackBuffer(reader); }), "Pitch fucked ?!");
  reader.BackBufferSurface = nullptr;
  reader.BackBuffer = Picture{};
  reader.Presentation = PresentState{};
}
