#include "text/fixed_font.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

constexpr uint32_t INK = 0xABCDEF, PAPER = 0x123456;

class FixedFontTest : public IssueDirTest {
 protected:
  // 'A' and the space fully inked, no two rows of 'P' alike; 4096 bytes.
  static std::unique_ptr<FixedFont> Load(size_t size = 4096) {
    std::vector<uint8_t> file(4096);
    for (int r = 0; r < 16; ++r) {
      file[16 * 'A' + r] = file[16 * ' ' + r] = 0xFF;
      file[16 * 'P' + r] = static_cast<uint8_t>(0x80 >> (r % 8) | r);
    }
    file.resize(size);
    WriteFileBytes("fixed.fnt", file);
    return FixedFontLoad("DATA/fonts/fixed.fnt");
  }
};

Picture Paper(int32_t width, int32_t height) {
  Picture picture{};
  PictureAlloc(picture, width, height);
  std::fill_n(picture.pixels, width * height, PAPER);
  return picture;
}

uint32_t At(const Picture& p, int32_t x, int32_t y) { return p.pixels[y * p.width + x]; }

// Load reverses every row byte; the space only advances; rows above the top are cut.
TEST_F(FixedFontTest, LoadAndDraw) {
  EXPECT_EQ(FatalMessageOf([] { Load(4095); }), "Internal error !");
  EXPECT_EQ(FatalMessageOf([] { FixedFontLoad("none.fnt"); }), "Cannot open *.FNT file !");
  auto font = Load(4097);
  Picture picture = Paper(40, 30);
  EXPECT_EQ(FixedDraw(*font, "A A", 4, 5, INK, picture), 24);
  for (int32_t x = 0; x < 40; ++x) {
    const bool inked = (x >= 4 && x < 12) || (x >= 20 && x < 28);
    for (int32_t y = 0; y < 10; ++y) ASSERT_EQ(At(picture, x, y), inked && y <= 8 ? INK : PAPER);
  }
}

// Glyphs cut at any edge show the matching window of one drawn wholly inside.
TEST_F(FixedFontTest, ClippedDrawMatchesUnclipped) {
  auto font = Load();
  constexpr int32_t RX = 16, RY = 20;
  Picture reference = Paper(40, 40);
  FixedDraw(*font, "P", RX, RY, INK, reference);
  EXPECT_EQ(At(reference, RX, RY - 12), INK);  // the file's high bit is the left column
  EXPECT_EQ(At(reference, RX + 7, RY - 11), INK);

  for (int32_t x : {INT32_MIN, -9, -5, 3, 6, 10}) {
    for (int32_t y : {-5, 2, 14, 25, INT32_MAX}) {
      Picture small = Paper(10, 12);
      FixedDraw(*font, "P", x, y, INK, small);
      for (int32_t py = 0; py < 12; ++py) {
        for (int32_t px = 0; px < 10; ++px) {
          const int64_t rx = int64_t{px} - x + RX, ry = int64_t{py} - y + RY;
          const bool inside = rx >= 0 && rx < 40 && ry >= 0 && ry < 40;
          ASSERT_EQ(At(small, px, py), inside ? At(reference, rx, ry) : PAPER) << x << "," << y;
        }
      }
    }
  }
}

}  // namespace
