#include <gtest/gtest.h>

#include <climits>

#include "generators/bmp_writer.h"
#include "resources/image_loader.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Pixels = std::vector<uint32_t>;
constexpr size_t OFFSET_AT = 10, INFO_SIZE_AT = 14, WIDTH_AT = 18, HEIGHT_AT = 22, BITS_AT = 28,
                 COMPRESSION_AT = 30, COLOURS_AT = 46;

Bytes With32(Bytes b, size_t at, uint32_t v) {
  b.resize(std::max(b.size(), at + 4));
  for (int k = 0; k < 4; ++k) b[at + k] = static_cast<uint8_t>(v >> (8 * k));
  return b;
}

// 3 x 2, 24 bits, bottom-up: rows of 9 pixel bytes padded to 12.
const Bytes kBottomUp3x2 =
    EncodeBmp24(3, 2, {0xFFFFFF, 0, 0x332211, 0xFF0000, 0x00FF00, 0x0000FF});

// An 8-bit file of one row: the two headers, the palette at 54, the indices.
Bytes EightBit(int32_t width, uint32_t coloursUsed, uint32_t entries, const Bytes& indices) {
  Bytes b = With32(With32(Bytes(kBottomUp3x2.begin(), kBottomUp3x2.begin() + 54), OFFSET_AT,
                          54 + 4 * entries), COLOURS_AT, coloursUsed);
  b = With32(With32(b, WIDTH_AT, static_cast<uint32_t>(width)), HEIGHT_AT, 1);
  b[BITS_AT] = 8;
  // Entries of blue, green, red and 0.
  for (uint32_t i = 1; i <= entries; ++i) b = With32(b, b.size(), 0x00102030 * i);
  b.insert(b.end(), indices.begin(), indices.end());
  return b;
}

struct BmpTest : ::testing::Test {
  ScratchDir dir;
  Picture picture{};

  bool Load(const Bytes& file) {
    WriteFileBytes("p.bmp", file);
    return LoadBmp("p.bmp", picture);
  }
  Pixels Read() const { return {picture.pixels, picture.pixels + picture.width * picture.height}; }
};

TEST_F(BmpTest, RowsInEitherOrderAndThePalette) {
  ASSERT_TRUE(Load(kBottomUp3x2));
  EXPECT_EQ(picture.height, 2);
  EXPECT_EQ(Read(), (Pixels{0xFFFFFF, 0, 0x332211, 0xFF0000, 0x00FF00, 0x0000FF}));
  // Top-down rows keep file order, and the last padding may be missing.
  const Bytes topDown = With32(kBottomUp3x2, HEIGHT_AT, static_cast<uint32_t>(-2));
  ASSERT_TRUE(Load(Bytes(topDown.begin(), topDown.end() - 3)));
  EXPECT_EQ(Read(), (Pixels{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x332211}));
  // Indices beyond the colours used are black.
  ASSERT_TRUE(Load(EightBit(3, 2, 2, {1, 0, 7, 0})));
  EXPECT_EQ(Read(), (Pixels{0x204060, 0x102030, 0}));
  ASSERT_TRUE(Load(EightBit(1, 0, 256, {255, 0, 0, 0})));
  EXPECT_EQ(picture.pixels[0], 0x203000u);  // bytes 00 30 20 10: the reserved 10 is dropped
}

TEST_F(BmpTest, MalformedFilesFailWithAnEmptyPicture) {
  const Bytes& good = kBottomUp3x2;
  const std::vector<Bytes> broken = {
      With32(good, 0, 0), With32(good, BITS_AT, 16), With32(good, COMPRESSION_AT, 1),  // no "BM"
      Bytes(good.begin(), good.begin() + 40), With32(good, WIDTH_AT, 0),
      With32(good, OFFSET_AT, 70), With32(good, OFFSET_AT, 0xFFFFFFF0),  // rows past the end
      With32(good, HEIGHT_AT, static_cast<uint32_t>(INT_MIN)),
      With32(With32(good, WIDTH_AT, 0x7FFFFFFF), HEIGHT_AT, 0x7FFFFFFF),
      EightBit(1, 257, 257, {0, 0, 0, 0}), EightBit(1, 256, 2, {0, 0, 0, 0}),  // palette cut
      With32(EightBit(1, 2, 2, {0, 0, 0, 0}), INFO_SIZE_AT, 0xFFFFFFF0),
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    PictureAlloc(picture, 2, 2);
    EXPECT_FALSE(Load(broken[i])) << "case " << i;
    EXPECT_EQ(picture.pixels, nullptr) << "case " << i;
  }
}

}  // namespace
