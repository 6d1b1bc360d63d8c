#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "resources/image_loader.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put32(Bytes& b, uint32_t v) {
  b.insert(b.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// 3 x 2, 24 bits, bottom-up: rows of 9 pixel bytes padded to 12.
const Bytes kBottomUp3x2 = {
    'B', 'M',                // type
    78, 0, 0, 0,             // file size
    0, 0, 0, 0,              // reserved
    54, 0, 0, 0,             // pixel data offset
    40, 0, 0, 0,             // information header size
    3, 0, 0, 0,              // width
    2, 0, 0, 0,              // height: positive, bottom-up
    1, 0,                    // planes
    24, 0,                   // bits per pixel
    0, 0, 0, 0,              // compression
    24, 0, 0, 0,             // image size
    0, 0, 0, 0, 0, 0, 0, 0,  // resolutions
    0, 0, 0, 0,              // colours used
    0, 0, 0, 0,              // important colours
    0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0, 0, 0,  // red green blue, pad
    0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x11, 0x22, 0x33, 0, 0, 0,  // white black 332211, pad
};
constexpr size_t WIDTH_AT = 18, HEIGHT_AT = 22, BITS_AT = 28, COMPRESSION_AT = 30, OFFSET_AT = 10;

// An 8-bit file of one row: the two headers, the palette at 54, the indices.
Bytes EightBit(int32_t width, uint32_t coloursUsed, uint32_t entries, Bytes indices) {
  Bytes b = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};  // type, file size, reserved
  Put32(b, 54 + 4 * entries);                    // pixel data offset
  Put32(b, 40);                                  // information header size
  Put32(b, static_cast<uint32_t>(width));        // width
  Put32(b, 1);                                   // height
  Put32(b, 1 | 8 << 16);                         // planes, bits per pixel
  for (int i = 0; i < 4; ++i) Put32(b, 0);       // compression, image size, resolutions
  Put32(b, coloursUsed);                         // colours used
  Put32(b, 0);                                   // important colours
  for (uint32_t i = 1; i <= entries; ++i) Put32(b, 0x00102030 * i);  // blue green red 0
  b.insert(b.end(), indices.begin(), indices.end());
  return b;
}

Bytes With32(Bytes b, size_t at, uint32_t v) {
  for (int k = 0; k < 4; ++k) b.at(at + k) = static_cast<uint8_t>(v >> (8 * k));
  return b;
}

std::vector<uint32_t> PixelsOf(const Picture& p) {
  return {p.pixels, p.pixels + size_t(p.width) * size_t(p.height)};
}

struct BmpTest : ::testing::Test {
  ScratchDir dir;
  Picture picture{};

  bool Load(const Bytes& file) {
    WriteFileBytes("p.bmp", file);
    return LoadBmp("p.bmp", picture);
  }
};

TEST_F(BmpTest, BottomUpRowsAreFlippedAndBlackIsZero) {
  ASSERT_TRUE(Load(kBottomUp3x2));
  EXPECT_EQ(picture.width, 3);
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(PixelsOf(picture),
            (std::vector<uint32_t>{0xFFFFFF, 0, 0x332211, 0xFF0000, 0x00FF00, 0x0000FF}));
}

TEST_F(BmpTest, TopDownRowsKeepFileOrderAndTheLastPaddingMayBeMissing) {
  const Bytes file = With32(kBottomUp3x2, HEIGHT_AT, static_cast<uint32_t>(-2));
  ASSERT_TRUE(Load(Bytes(file.begin(), file.end() - 3)));
  EXPECT_EQ(PixelsOf(picture),
            (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x332211}));
}

TEST_F(BmpTest, EightBitUsesItsPaletteAndBlackBeyondIt) {
  ASSERT_TRUE(Load(EightBit(3, 2, 2, {1, 0, 7, 0})));
  EXPECT_EQ(PixelsOf(picture), (std::vector<uint32_t>{0x204060, 0x102030, 0}));
  ASSERT_TRUE(Load(EightBit(1, 0, 256, {255, 0, 0, 0})));
  EXPECT_EQ(picture.pixels[0], 0x203000u);  // bytes 00 30 20 10: the reserved 10 is dropped
}

TEST_F(BmpTest, MalformedFilesFailWithAnEmptyPicture) {
  Bytes badMagic = kBottomUp3x2;
  badMagic[1] = 'A';
  Bytes sixteenBits = kBottomUp3x2;
  sixteenBits[BITS_AT] = 16;
  const std::vector<Bytes> broken = {
      badMagic,
      sixteenBits,
      Bytes(kBottomUp3x2.begin(), kBottomUp3x2.end() - 4),  // last row short
      Bytes(kBottomUp3x2.begin(), kBottomUp3x2.begin() + 40),
      With32(kBottomUp3x2, COMPRESSION_AT, 1),
      With32(kBottomUp3x2, OFFSET_AT, 70),
      With32(kBottomUp3x2, OFFSET_AT, 0xFFFFFFF0),
      With32(kBottomUp3x2, WIDTH_AT, 0),
      With32(kBottomUp3x2, WIDTH_AT, static_cast<uint32_t>(-3)),
      With32(kBottomUp3x2, WIDTH_AT, 5),  // rows of 16 bytes run past the end
      With32(kBottomUp3x2, HEIGHT_AT, 0),
      With32(kBottomUp3x2, HEIGHT_AT, static_cast<uint32_t>(INT_MIN)),
      With32(With32(kBottomUp3x2, WIDTH_AT, 0x7FFFFFFF), HEIGHT_AT, 0x7FFFFFFF),
      With32(kBottomUp3x2, WIDTH_AT, 100000000),
      EightBit(1, 257, 257, {0, 0, 0, 0}),
      EightBit(1, 256, 2, {0, 0, 0, 0}),                        // palette past the end
      With32(EightBit(1, 2, 2, {0, 0, 0, 0}), 14, 0xFFFFFFF0),  // information header size
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    PictureAlloc(picture, 2, 2);
    EXPECT_FALSE(Load(broken[i])) << "case " << i;
    EXPECT_EQ(picture.pixels, nullptr) << "case " << i;
    EXPECT_EQ(picture.width, 0) << "case " << i;
  }
}

}  // namespace
