#include "engine/video.h"

#include <gtest/gtest.h>

#include "resources/archive.h"
#include "support/child_process.h"
#include "support/scratch_dir.h"

TEST(PixelFormat, EveryRowOfTheTable) {
  struct Row {
    int bits;
    uint32_t r, g, b;
    int32_t mode;
    const char* error;
  };
  const char* bad16 = "16Bit set, but not RGB 555, or RGB 565 format !";
  const char* bad15 = "15Bit set, but not RGB 555, or RGB 565 format !";
  const Row rows[] = {
      {32, 0xFF0000, 0x00FF00, 0x0000FF, PIXEL_ARGB8888, nullptr},
      {32, 0x0000FF, 0x00FF00, 0xFF0000, 0, "32Bit set, but not ARGB format !"},
      {16, 0xF800, 0x07E0, 0x001F, PIXEL_RGB565, nullptr},
      {16, 0x7C00, 0x03E0, 0x001F, PIXEL_RGB555, nullptr},
      {16, 0x001F, 0x07E0, 0xF800, 0, bad16},
      {15, 0x7C00, 0x03E0, 0x001F, PIXEL_RGB555, nullptr},
      {15, 0xFF0000, 0x00FF00, 0x0000FF, 0, bad15},
      {24, 0xFF0000, 0x00FF00, 0x0000FF, 0, "Unsupported video format !"},
  };
  for (const Row& row : rows) {
    PixelFormatCheck check = CheckPixelFormat(row.bits, row.r, row.g, row.b);
    EXPECT_STREQ(check.error, row.error) << row.bits << " bits";
    if (row.error == nullptr) {
      EXPECT_EQ(check.pixelMode, row.mode) << row.bits << " bits";
    }
  }
}

TEST(VideoStart, WithoutAVideoDriverInitFails) {
  ScratchDir dir;
  ChildResult child = RunInChild([] {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    SetupConfig config;
    SetupDefaults(config);
    VideoState video{};
    Picture cursor{};
    VideoStart(video, cursor, config);
  });
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.out, "\a\n PROGRAM: -- ERROR: [SDL: Cannot init !] ");
}
