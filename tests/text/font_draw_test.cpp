#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/fatal_catch.h"
#include "text/font_manager.h"

namespace {

constexpr uint32_t INK = 0x80FF41;
constexpr int32_t STRIDE = 512;  // glyph c at byte 2c: up to 16 pixels wide

// Tables made by hand: every code 1 pixel wide with advance 4, no ink.
class FontDrawTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeTable(4); }
  void MakeTable(int32_t height) {
    table = GlyphTable{};
    table.stride = STRIDE, table.height = height;
    table.solidBlock = std::make_unique<uint8_t[]>(STRIDE * height);
    table.edgeBlock = std::make_unique<uint8_t[]>(STRIDE * height);
    table.solid = table.solidBlock.get(), table.edge = table.edgeBlock.get();
    for (int c = 0; c < 256; ++c) table.offset[c] = 2 * c, table.width[c] = 1, table.advance[c] = 4;
  }
  void SetRow(uint8_t c, int r, uint32_t solid, uint32_t edge) {
    const int at = r * STRIDE + 2 * c;
    for (int k : {0, 1}) {
      table.solid[at + k] = uint8_t(solid >> 8 * k), table.edge[at + k] = uint8_t(edge >> 8 * k);
    }
  }
  int32_t Draw(const char* text, int32_t x, int32_t y, uint32_t colour = INK, int32_t aa = 0) {
    return FontDraw(manager, text, x, y, colour, &table, picture, aa);
  }
  uint32_t At(int32_t x, int32_t y) const { return picture.pixels[y * picture.width + x]; }
  std::vector<int> InkedColumns(int32_t y) const {
    std::vector<int> columns;
    for (int x = 0; x < picture.width; ++x) if (At(x, y) == INK) columns.push_back(x);
    return columns;
  }

  FontManager manager{};
  GlyphTable table;
  Picture picture{};
};

TEST_F(FontDrawTest, PenMovesByAdvancesAndSpacingsAndSkipsBlanks) {
  for (char c : {'a', 'b', 'c', ' ', '\xFF'}) SetRow(uint8_t(c), 0, 1, 0);
  table.advance['b'] = 7;
  PictureAlloc(picture, 40, 8);
  EXPECT_EQ(Draw("a b\377c", 0, 4), 4 + 4 + 7 + 4 + 4);
  EXPECT_EQ(InkedColumns(0), (std::vector<int>{0, 8, 19}));
  manager.wordSpacing = 2.5f;
  PictureAlloc(picture, 40, 8);
  EXPECT_EQ(Draw("a b c", 0, 4), 28);
  EXPECT_EQ(InkedColumns(0), (std::vector<int>{0, 11, 24}));  // b 3 and c 5 further
  // An underline is clipped to the picture.
  table.underline = 1, table.advance['b'] = 4, manager.wordSpacing = 0;
  PictureAlloc(picture, 40, 8);
  Draw("abcdefghij", -10, 5);
  EXPECT_EQ(InkedColumns(5).size(), 30u);
  EXPECT_EQ(InkedColumns(5).back(), 29);
  Draw("abc", 0, 8);  // baseline under the picture
}

TEST_F(FontDrawTest, HalfTones) {
  SetRow('s', 0, 1, 1);
  SetRow('e', 0, 0, 1);
  PictureAlloc(picture, 16, 8);
  Draw("se", 0, 4, 0xFFFFFF, 1);
  EXPECT_EQ(At(0, 0), 0xFEFEFEu);
  EXPECT_EQ(At(4, 0), 0x7F7F7Fu);
  table.edge = nullptr;  // without antialiasing the edge plane is never read
  Draw("se", 0, 4, 0x030201);
  EXPECT_EQ(At(0, 0), 0x030201u);
  EXPECT_EQ(At(4, 0), 0x7F7F7Fu);
  EXPECT_EQ(FatalMessageOf([&] { Draw("s", 0, 4, INK, 1); }), "Antialiasing with NULL table !");
}

// Glyphs crossing every side of a small picture give the pixels of the same
// text drawn wholly inside a large one, over the same background; and drawing
// only the known ink rows gives the pixels of drawing the whole height.
TEST_F(FontDrawTest, ClippedGlyphsAndKnownInkRowsMatchWholeOnes) {
  std::mt19937 rng(3);
  MakeTable(12);
  for (int c = 'a'; c <= 'z'; ++c) {
    table.width[c] = 1 + c % 16, table.advance[c] = c % 11, table.rise[c] = c % 4 - 2;
    const uint32_t bits = (1u << table.width[c]) - 1;
    for (int r = 2 + c % 3; r < 10 - c % 2; ++r) SetRow(uint8_t(c), r, rng() & bits, rng() & bits);
  }
  const char* text = "the quick brown fox jumps";
  std::vector<uint32_t> whole[2];
  for (std::vector<uint32_t>& drawn : whole) {
    std::mt19937 paper(5);
    PictureAlloc(picture, 200, 60);
    std::generate_n(picture.pixels, 200 * 60, [&] { return paper() & 0xFFFFFF; });
    Picture part{};
    PictureAlloc(part, 50, 8);
    for (int y = 0; y < 8; ++y)
      std::copy_n(&picture.pixels[(y + 20) * 200 + 25], 50, &part.pixels[y * 50]);
    FontDraw(manager, text, 20 - 25, 30 - 20, INK, &table, part, 1);
    Draw(text, 20, 30, INK, 1);
    for (int i = 0; i < 50 * 8; ++i) {
      ASSERT_EQ(part.pixels[i], At(i % 50 + 25, i / 50 + 20)) << i % 50 << "," << i / 50;
    }
    drawn.assign(picture.pixels, picture.pixels + 200 * 60);
    GlyphTableFindInk(table);
  }
  EXPECT_EQ(table.inkTop['a'], 2 + 'a' % 3);
  EXPECT_EQ(whole[0], whole[1]);
}

}  // namespace
