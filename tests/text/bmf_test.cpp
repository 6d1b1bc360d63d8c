#include "text/bmf.h"

#include <gtest/gtest.h>

#include "generators/png_writer.h"
#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF, RED = 0xFF0000;
constexpr int32_t CELL = 12, ROWS = 4;
constexpr const char* TOO_SMALL = "BitmapFont image is too small for current data !";

// Cell width in hexadecimal, space width in octal (10), as "%i" reads them.
std::string Script(const std::string& proportional, const std::string& cellWidth = "0xC",
                   const std::string& spaceWidth = "012") {
  return "DATA/glyphs.png\r\n" + proportional + "\nDATA/cs.txt\tcells\n" + cellWidth + "\n" +
         spaceWidth + "\n";
}

struct Ink { int32_t x, y; uint32_t colour; };

class BmfTest : public IssueDirTest {
 protected:
  static std::unique_ptr<GlyphTable> Load(const std::string& script, const std::string& charset,
                                          int32_t width, const std::vector<Ink>& inks = {}) {
    WriteFileBytes("font.bmf", {script.begin(), script.end()});
    WriteFileBytes("cs.txt", {charset.begin(), charset.end()});
    std::vector<uint32_t> pixels(width * ROWS, 0xFFFFFE);  // near white is background
    for (const Ink& ink : inks) pixels.at(ink.y * width + ink.x) = ink.colour;
    WritePng("glyphs.png", width, ROWS, pixels);
    return BmfLoad("DATA/fonts/font.bmf", 12, 12, 0, 0, 0);
  }
};

TEST_F(BmfTest, PictureMustHoldEveryCell) {
  auto table = Load(Script("0"), "ABCDEFGHIJ", 120);
  EXPECT_EQ(table->stride, 120);
  EXPECT_EQ(table->width['J'], CELL);  // fixed cells need no ink
  EXPECT_EQ(table->advance['J'], CELL + 1);
  EXPECT_EQ(Load(Script("0"), "ABCDEFGHI\xC3\xA9", 132)->width[0xE9], CELL);  // a UTF-8 charset
  EXPECT_EQ(FatalMessageOf([] { Load(Script("1"), "ABCDEFGHIJ", 119); }), TOO_SMALL);
  // 4 * 2^30 wraps to 0 in 32 bits.
  EXPECT_EQ(FatalMessageOf([] { Load(Script("0", "0x40000000"), "ABCD", 8); }), TOO_SMALL);
}

// The space and blank cells are inked, yet never read.
TEST_F(BmfTest, ProportionalGlyphStartsAtItsInk) {
  std::vector<Ink> inks = {{CELL + 3, 0, WHITE}, {CELL + 5, 1, RED}, {CELL + 7, 3, WHITE},
                           {2 * CELL, 2, WHITE}, {2 * CELL + 9, 2, RED}};
  for (int32_t x = 3 * CELL; x < 5 * CELL; ++x) inks.push_back({x, 0, WHITE});
  auto table = Load(Script("1"), "xAB \xFF", 5 * CELL, inks);
  const auto byte = [&](const uint8_t* plane, int32_t row, int32_t at) {
    return plane[row * table->stride + at];
  };
  EXPECT_EQ(table->width['A'], 5);
  EXPECT_EQ(table->advance['A'], 6);
  EXPECT_EQ(table->offset['A'], CELL);
  EXPECT_EQ(byte(table->solid, 0, CELL), 0x01);
  EXPECT_EQ(byte(table->solid, 1, CELL), 0x00);
  EXPECT_EQ(byte(table->edge, 1, CELL), 0x04);
  EXPECT_EQ(byte(table->solid, 3, CELL), 0x10);
  EXPECT_EQ(byte(table->edge, 2, 2 * CELL + 1), 0x02);  // 8 columns to a byte
  // An empty cell and a character without one take no room.
  EXPECT_EQ(table->advance['x'] + table->offset['x'] + table->advance['Z'] + table->width['Z'], 0);
  EXPECT_EQ(table->width[' '] + table->offset[' '] + table->width[255] + table->offset[255], 0);
  EXPECT_EQ(table->advance[' '] + table->advance[255], 20);
  for (int32_t at = 3 * CELL; at < 5 * CELL; ++at) EXPECT_EQ(byte(table->solid, 0, at), 0);
}

TEST_F(BmfTest, ScriptAndCharsetErrors) {
  for (const std::string& script :
       {std::string("DATA/glyphs.png\n1\nDATA/cs.txt\n12\n"), std::string("\tx\n1\ncs\n12\n5\n"),
        Script("1", "0"), Script("1", "12", "-1"), Script("one"), Script("1", "4294967308")}) {
    EXPECT_EQ(FatalMessageOf([&] { Load(script, "A", CELL); }), "Bitmap font script error !")
        << script;
  }
  EXPECT_EQ(FatalMessageOf([] { Load(Script("1"), "", CELL); }), "Internal error !");
  EXPECT_EQ(FatalMessageOf([] { Load("DATA/glyphs.png\n1\nnone.txt\n12\n5\n", "A", CELL); }),
            "Cannot open charset file !");
  EXPECT_EQ(BmfLoad("DATA/fonts/none.bmf", 1, 1, 0, 0, 0), nullptr);
}

}  // namespace
