#include <gtest/gtest.h>

#include <climits>

#include "generators/bmp_writer.h"
#include "pictures/image_loader.h"
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

// A 5 x 3 picture of indices into kColours, top row first; 0 is black, as
// pixels that run-length data leaves out.
const Pixels kColours = {0, 0x112233, 0x445566, 0x778899};
const Bytes kPicture = {0, 1, 2, 3, 1, 3, 3, 3, 3, 3, 1, 2, 1, 0, 2};
const Bytes kPalette = {0, 0, 0, 0, 0x33, 0x22, 0x11, 0, 0x66, 0x55, 0x44, 0, 0x99, 0x88, 0x77, 0};
const Bytes kMasks = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};

// A 5-pixel-wide file: the headers, the palette (or masks), then data.
Bytes Bmp(int32_t height, uint8_t bits, uint32_t compression, const Bytes& table,
          const Bytes& data) {
  Bytes b(kBottomUp3x2.begin(), kBottomUp3x2.begin() + 54);
  b = With32(With32(With32(b, OFFSET_AT, 54 + table.size()), WIDTH_AT, 5), HEIGHT_AT, height);
  b = With32(With32(b, BITS_AT, bits), COMPRESSION_AT, compression);
  b = With32(b, COLOURS_AT, bits <= 8 ? table.size() / 4 : 0);
  b.insert(b.end(), table.begin(), table.end());
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Uncompressed rows of bits per pixel (32: colours), bottom row first unless
// topDown, each padded to 4 bytes.
Bytes Rows(const Bytes& indices, int bits, bool topDown = false) {
  Bytes out;
  for (int r = 0; r < 3; ++r) {
    const size_t start = out.size();
    unsigned gathered = 0, count = 0;
    for (int x = 0; x < 5; ++x) {
      const uint8_t index = indices[(topDown ? r : 2 - r) * 5 + x];
      if (bits == 32) {
        out = With32(out, out.size(), kColours[index] | 0xEE000000);
        continue;
      }
      gathered = gathered << bits | index;
      if ((count += bits) == 8) {
        out.push_back(uint8_t(gathered));
        count = 0;
      }
    }
    if (count > 0) out.push_back(uint8_t(gathered << (8 - count)));
    out.resize(start + ((out.size() - start + 3) & ~size_t{3}));
  }
  return out;
}

TEST_F(BmpTest, EveryKindLoadsAsItsTwentyFourBitForm) {
  Bytes mono = kPicture;
  for (uint8_t& index : mono) index &= 1;
  const Bytes pal2(kPalette.begin(), kPalette.begin() + 8);
  // Runs (7 is cut to the row), a move right, absolute runs with their padding.
  const Bytes rle8 = {1, 1, 1, 2, 1, 1, 0, 2, 1, 0, 1, 2, 0, 0, 7, 3,
                      0, 0, 0, 5, 0, 1, 2, 3, 1, 0, 0, 1};
  const Bytes rle4 = {3, 0x12, 0, 2, 1, 0, 1, 0x20, 0, 0, 7, 0x33,
                      0, 0, 0, 5, 0x01, 0x23, 0x10, 0, 0, 1};
  // A move below the last row ends the bitmap.
  const Bytes pastEnd = {5, 1, 0, 2, 0, 9, 5, 2};
  struct Case { Bytes file, picture; };
  const Case cases[] = {
      {Bmp(3, 1, 0, pal2, Rows(mono, 1)), mono},
      {Bmp(3, 4, 0, kPalette, Rows(kPicture, 4)), kPicture},
      {Bmp(3, 32, 0, {}, Rows(kPicture, 32)), kPicture},
      {Bmp(-3, 32, 3, kMasks, Rows(kPicture, 32, true)), kPicture},
      {Bmp(3, 8, 1, kPalette, rle8), kPicture},
      {Bmp(3, 4, 2, kPalette, rle4), kPicture},
      {Bmp(3, 8, 1, kPalette, pastEnd), {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    Pixels colours;
    for (uint8_t index : c.picture) colours.push_back(kColours[index]);
    ASSERT_TRUE(Load(EncodeBmp24(5, 3, colours)));
    const Pixels want = Read();
    ASSERT_TRUE(Load(c.file));
    EXPECT_EQ(Read(), want);
  }
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
      Bmp(3, 32, 3, Bytes(kMasks.rbegin(), kMasks.rend()), Rows(kPicture, 32)),  // not BGRX
      With32(Bmp(3, 8, 1, kPalette, {}), OFFSET_AT, 200), Bmp(3, 4, 0, kPalette, {0}),
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    PictureAlloc(picture, 2, 2);
    EXPECT_FALSE(Load(broken[i])) << "case " << i;
    EXPECT_EQ(picture.pixels, nullptr) << "case " << i;
  }
}

}  // namespace
