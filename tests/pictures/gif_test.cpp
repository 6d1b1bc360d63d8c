#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "generators/gif_writer.h"
#include "pictures/image_loader.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Codes = std::vector<std::pair<int, int>>;  // value, width in bits

// Header, screen descriptor with table size bits n, a table whose entry i is
// (i, i + 1, i + 2), image descriptor and minimum code size.
Bytes GifHead(int n, int width, int height, int minCodeSize, const char* signature = "GIF89a") {
  Bytes b(signature, signature + 6);
  // Screen width and height (not used), packed byte, background, pixel ratio.
  b.insert(b.end(), {1, 0, 1, 0, uint8_t(0x80 | n), 0, 0});
  for (int i = 0; i < 2 << n; ++i) b.insert(b.end(), {uint8_t(i), uint8_t(i + 1), uint8_t(i + 2)});
  // Separator, left, top, width, height, image packed byte, minimum code size.
  b.insert(b.end(), {0x2C, 0, 0, 0, 0, uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                     uint8_t(height >> 8), 0, uint8_t(minCodeSize)});
  return b;
}

// Codes packed least significant bit first into sub-blocks of up to 255 bytes.
Bytes Stream(const Codes& codes, bool terminate = true) {
  Bytes data;
  uint32_t bits = 0;
  int count = 0;
  for (auto [value, width] : codes) {
    bits |= static_cast<uint32_t>(value) << count;
    for (count += width; count >= 8; count -= 8, bits >>= 8) data.push_back(uint8_t(bits));
  }
  if (count > 0) data.push_back(uint8_t(bits));
  Bytes blocks;
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    blocks.push_back(uint8_t(n));
    blocks.insert(blocks.end(), data.begin() + at, data.begin() + at + n);
  }
  if (terminate) blocks.push_back(0);
  return blocks;
}

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct GifTest : ::testing::Test {
  ScratchDir dir;
  IndexedPicture picture{};
  Bytes palette = Bytes(GIF_PALETTE_SIZE, 0xAA);

  bool Load(const Bytes& file) {
    WriteFileBytes("p.gif", file);
    return LoadGif("p.gif", picture, palette.data());
  }
  Bytes Indices() const {
    return {picture.pixels, picture.pixels + size_t(picture.width) * size_t(picture.height)};
  }
};

// m = 2: clear 4, end 5, first free 6; codes start at 3 bits.
const Codes kOneTwoThree = {{4, 3}, {1, 3}, {2, 3}, {3, 3}, {5, 4}};

TEST_F(GifTest, BothSignaturesDecodeAFourEntryTableOfTwelveBytes) {
  for (const char* signature : {"GIF87a", "GIF89a"}) {
    const Bytes file = GifHead(1, 3, 1, 2, signature) + Stream(kOneTwoThree);
    ASSERT_TRUE(Load(file)) << signature;
    EXPECT_EQ(Indices(), (Bytes{1, 2, 3})) << signature;
    EXPECT_EQ(Bytes(palette.begin(), palette.begin() + 13),
              (Bytes{0, 1, 2, 1, 2, 3, 2, 3, 4, 3, 4, 5, 0}));
  }
}

// Damaged streams are no failure: what was decoded is kept.
TEST_F(GifTest, CodeStreamsDecode) {
  struct Case { int width, height; Bytes stream; Bytes indices; };
  const Bytes cut = Stream({{4, 3}, {1, 3}, {2, 3}, {3, 3}}, false);
  Bytes pastEnd = cut;
  pastEnd[0] = 200;  // a sub-block longer than the data left
  const Case cases[] = {
      {4, 2, Stream({{5, 3}}), Bytes(8, 0)},  // the end at once: a zero picture
      {4, 2, Stream({}, false), Bytes(8, 0)},
      // Without a leading clear the stream starts as after one.
      {4, 1, Stream({{1, 3}, {6, 3}, {1, 3}, {5, 4}}), {1, 1, 1, 1}},
      // 1 2 3 define 6 and 7; next free 8 makes the next code, 8 = "3 3", four bits wide.
      {5, 1, Stream({{4, 3}, {1, 3}, {2, 3}, {3, 3}, {8, 4}, {5, 4}}), {1, 2, 3, 3, 3}},
      // The code being defined repeats the previous string.
      {3, 1, Stream({{4, 3}, {1, 3}, {6, 3}, {5, 3}}), {1, 1, 1}},
      {1, 2, Stream(kOneTwoThree), {1, 2}},  // output beyond the picture is dropped
      {3, 2, cut, {1, 2, 3, 0, 0, 0}},
      {3, 2, pastEnd, {1, 2, 3, 0, 0, 0}},
      // After clear and 1 the next free code is 6: 7 cannot have been written.
      {3, 2, Stream({{4, 3}, {1, 3}, {7, 3}, {2, 3}}), {1, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Load(GifHead(1, c.width, c.height, 2) + c.stream));
    EXPECT_EQ(Indices(), c.indices);
  }
}

TEST_F(GifTest, WidthStopsAt12BitsAndAFullTableTakesNoMore) {
  // Zeros define 6..4095 as "0 0"; then 1 and 4095 are read at 12 bits.
  Codes codes = {{4, 3}, {0, 3}};
  for (unsigned nextFree = 6; nextFree < 4096; ++nextFree) {
    codes.push_back({0, std::bit_width(nextFree)});
  }
  codes.insert(codes.end(), {{1, 12}, {4095, 12}, {1, 12}, {5, 12}});
  const int width = 4091 + 4;
  ASSERT_TRUE(Load(GifHead(1, width, 1, 2) + Stream(codes)));
  const Bytes indices = Indices();
  EXPECT_EQ(std::count(indices.begin(), indices.end(), 0), width - 2);
  EXPECT_EQ(Bytes(indices.end() - 4, indices.end()), (Bytes{1, 0, 0, 1}));
}

// Sixteen entries whose red bytes count up from first.
Bytes Table(uint8_t first) {
  Bytes t(48, 0);
  for (int i = 0; i < 16; ++i) t[3 * i] = uint8_t(first + i);
  return t;
}

// A 1 x 9 image written with a 16-entry table: its descriptor starts at 61.
const Bytes kStored = {0, 8, 4, 2, 6, 1, 3, 5, 7};  // rows 0 and 8, 4, 2 and 6, then odd rows
const Bytes kPlain = EncodeGif({1, 9, kStored, Table(0)});
constexpr size_t IMAGE_AT = 61, PACKED = IMAGE_AT + 9;
const Bytes kExtensions = {0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x21, 0xFE, 2, 'h', 'i', 1, '!', 0};

// kPlain with bits set in the image's packed byte and bytes inserted at two places.
Bytes Edit(uint8_t flags, size_t at, const Bytes& bytes, size_t at2 = 0, const Bytes& bytes2 = {}) {
  Bytes b = kPlain;
  b[PACKED] |= flags;
  b.insert(b.begin() + at, bytes.begin(), bytes.end());  // at2 <= at stays in place
  b.insert(b.begin() + at2, bytes2.begin(), bytes2.end());
  return b;
}

TEST_F(GifTest, ExtensionsLocalTablesAndInterlacedRowsAreRead) {
  Bytes inOrder(9);
  for (int i = 0; i < 9; ++i) inOrder[i] = uint8_t(i);
  struct Case { Bytes file, indices; uint8_t firstRed; };
  const Case cases[] = {
      {Edit(0, IMAGE_AT, kExtensions), kStored, 0},
      {Edit(0x83, PACKED + 1, Table(100)), kStored, 100},
      {Edit(0x40, 0, {}), inOrder, 0},
      {Edit(0xC3, PACKED + 1, Table(100), IMAGE_AT, kExtensions), inOrder, 100},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Load(c.file));
    EXPECT_EQ(Indices(), c.indices);
    EXPECT_EQ(Bytes(palette.begin(), palette.begin() + 49), Table(c.firstRed) + Bytes{0});
  }
}

TEST_F(GifTest, BadFilesFailWithAnEmptyPictureAndPaletteUntouched) {
  const Bytes codes = Stream(kOneTwoThree), good = GifHead(1, 3, 1, 2) + codes;
  const Bytes local = Edit(0x83, PACKED + 1, Table(100));
  const std::vector<Bytes> broken = {
      GifHead(1, 3, 1, 2, "GIF88a") + codes, GifHead(1, 3, 1, 1) + codes,
      GifHead(1, 3, 1, 10) + codes, GifHead(1, 0, 1, 2) + codes, Bytes(&good[0], &good[35]),
      GifHead(1, 65535, 65535, 2) + codes, Bytes(&good[0], &good[20]),  // cut in the table
      Bytes(&kPlain[0], &kPlain[IMAGE_AT]) + Bytes(&kExtensions[0], &kExtensions[12]),
      Bytes(&local[0], &local[PACKED + 49]),  // cut after the local table
  };
  for (size_t i = 0; i < broken.size(); ++i) {
    IndexedPictureAlloc(picture, 2, 2);
    EXPECT_FALSE(Load(broken[i])) << "case " << i;
    EXPECT_EQ(picture.pixels, nullptr) << "case " << i;
    EXPECT_EQ(palette, Bytes(GIF_PALETTE_SIZE, 0xAA)) << "case " << i;
  }
}

}  // namespace
