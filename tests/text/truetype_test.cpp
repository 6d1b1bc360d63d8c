#include "text/truetype.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "support/fatal_catch.h"
#include "support/issue_dir.h"
#include "text/outline_raster.h"

namespace {

constexpr std::array<uint8_t, 5> GRAYS = {0, 1, 2, 3, 4};

std::string Lines(const std::string& line, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += line + "\n";
  return text;
}

// Rows of code's glyph, top first: '#' solid, '+' edge, '.' empty.
std::vector<std::string> Picture(const GlyphTable& table, int code) {
  std::vector<std::string> rows(table.height);
  for (int r = 0; r < table.height; ++r) {
    for (int k = 0; k < table.width[code]; ++k) {
      const size_t byte = static_cast<size_t>(r) * table.stride + table.offset[code] + k / 8;
      const int bit = 1 << (k % 8);
      const bool edge = table.edge != nullptr && (table.edge[byte] & bit) != 0;
      rows[r] += (table.solid[byte] & bit) != 0 ? '#' : edge ? '+' : '.';
    }
  }
  return rows;
}

// Every metric and plane byte of a table.
auto Whole(const GlyphTable& t) {
  const auto plane = [&](const uint8_t* bytes) {
    return std::vector<uint8_t>(bytes, bytes ? bytes + size_t(t.stride) * t.height : bytes);
  };
  return std::tuple(t.stride, t.height, t.advance, t.offset, t.width, t.rise, t.inkTop,
                    t.inkBottom, plane(t.solid), plane(t.edge));
}

// The test font, closed again also when a fatal error unwinds.
struct OpenFont {
  explicit OpenFont(FT_Library library) : font(TrueTypeOpen(library, "sans.ttf")) {}
  ~OpenFont() { TrueTypeClose(*font); }
  std::unique_ptr<TrueTypeFont> font;
};

class TrueTypeTest : public IssueDirTest {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(TEST_FONT_DIR "/DejaVuSans.ttf", "sans.ttf");
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
  }
  void TearDown() override { FT_Done_FreeType(library); }

  // Open, render and close; a fatal error fails the test unless it is expected.
  std::unique_ptr<GlyphTable> Render(int sizeX, int sizeY, int bold = 0, int italic = 0,
                                     const std::array<uint8_t, 5>& palette = GRAYS) {
    auto table = std::make_unique<GlyphTable>();
    table->sizeX = sizeX, table->sizeY = sizeY, table->bold = bold, table->italic = italic;
    const std::string message = FatalMessageOf([&] {
      OpenFont open(library);
      TrueTypeRender(*open.font, *table, *buffers, 1, palette);
    });
    if (!message.empty()) throw FatalErrorThrown(message.c_str(), "");
    return table;
  }

  FT_Library library = nullptr;
  std::unique_ptr<RenderBuffers> buffers = std::make_unique<RenderBuffers>();
};

TEST_F(TrueTypeTest, TttOverridesCodesFirstPairWinsExtraLinesIgnored) {
  const auto plain = Render(8, 16);
  const OpenFont open(library);
  const std::string toB = "A " + std::to_string(FT_Get_Char_Index(open.font->face, 'B'));
  WriteFileText("sans.ttt", toB + "\nA 0\n" + Lines("z 7", 16) + "junk past the eighteenth line");
  const auto mapped = Render(8, 16);
  EXPECT_EQ(Picture(*mapped, 'A'), Picture(*plain, 'B'));
  EXPECT_EQ(mapped->advance['A'], plain->advance['B']);
  EXPECT_EQ(Picture(*mapped, 'B'), Picture(*plain, 'B'));
  EXPECT_TRUE(plain->noGlyph[0x81] && !plain->noGlyph['B'] && !mapped->noGlyph['A']);
}

TEST_F(TrueTypeTest, BadTttOrFontIsFatal) {
  const auto openMessage = [&](const std::string& ttt) {
    WriteFileText("sans.ttt", ttt);
    return FatalMessageOf([&] { OpenFont open(library); });
  };
  EXPECT_EQ(openMessage(Lines("A 36", 17)), "Error parsing *.TTT file !");
  EXPECT_EQ(openMessage(Lines("A 99999999999", 18)), "Error parsing *.TTT file !");
  EXPECT_EQ(openMessage(Lines("A" + std::string(1000, ' ') + "36", 18)), "");
  EXPECT_EQ(openMessage(Lines("A 999999", 18)), "");
  EXPECT_EQ(FatalMessageOf([&] { Render(8, 16); }), "FreeType: TT_Load_Glyph failed !");
  WriteFileText("bad.ttf", "not a font at all");
  ASSERT_EQ(mkfifo("fifo.ttf", 0600), 0);  // refused, not waited on
  for (const char* name : {"bad.ttf", "fifo.ttf"}) {
    EXPECT_EQ(FatalMessageOf([&] { TrueTypeOpen(library, name); }), "FreeType: Cannot read TTF !");
  }
}

TEST_F(TrueTypeTest, ItalicShearsTheBoxRightAndGrowsOnlyAdvancesItOutgrows) {
  const auto plain = Render(16, 16);
  const auto italic = Render(16, 16, 0, 1);
  EXPECT_EQ(plain->width[' '], 0);
  const auto rows = Picture(*plain, 'H');
  const auto inked = [](const std::string& row) { return row.find_first_not_of('.') != row.npos; };
  const double inkRows = static_cast<double>(std::count_if(rows.begin(), rows.end(), inked));
  EXPECT_NEAR(italic->width['H'] - plain->width['H'], 8 * inkRows / 16, 1.0);
  EXPECT_EQ(italic->advance['H'], italic->width['H'] + 1);
  EXPECT_EQ(italic->advance['.'], plain->advance['.']);
  EXPECT_EQ(italic->advance[' '], plain->advance[' ']);
}

// Renderings sharing the raster and outline copies see nothing an earlier one
// left behind; the ink rows recorded while copying are those a search finds.
TEST_F(TrueTypeTest, RenderingsSharingBuffersMatchFreshOnesAndRecordTheirInk) {
  const auto large = Render(24, 48, 1, 1);
  const auto small = Render(8, 16);
  buffers = std::make_unique<RenderBuffers>();
  EXPECT_EQ(Whole(*Render(8, 16)), Whole(*small));
  EXPECT_EQ(Whole(*Render(24, 48, 1, 1)), Whole(*large));
  for (const GlyphTable* table : {small.get(), large.get()}) {
    const auto searched = GlyphTableShare(*table);
    GlyphTableFindInk(*searched);
    EXPECT_EQ(table->inkTop, searched->inkTop);
    EXPECT_EQ(table->inkBottom, searched->inkBottom);
  }
}

// In bold, level 2 counts as solid too: a plain rendering that writes a solid
// byte for it shows the runs that bold widens, by one pixel on their left. A
// pixel's kind depends on its byte alone: from 3 up solid, however large.
TEST_F(TrueTypeTest, BoldWidensEverySolidRunOnePixelToTheLeft) {
  const auto runs = Render(8, 16, 0, 0, {0, 1, 128, 255, 4});
  const auto bold = Render(8, 16, 1);
  ASSERT_EQ(Picture(*runs, 'l')[runs->height - 2], ".#.");  // a one-pixel stem
  EXPECT_EQ(Picture(*bold, 'l')[bold->height - 2], "##.");
  for (int code : {'l', 'H', 'M', 'W', '@'}) {
    auto expected = Picture(*runs, code), got = Picture(*bold, code);
    for (auto& row : expected) {
      std::replace(row.begin(), row.end(), '+', '.');
      for (size_t k = 0; k + 1 < row.size(); ++k) row[k] = row[k + 1] == '#' ? '#' : row[k];
    }
    for (auto& row : got) std::replace(row.begin(), row.end(), '+', '.');
    EXPECT_EQ(got, expected) << char(code);
  }
}

// Level k begins where coverage * 4 / 255 reaches k - 1/2; level 0 writes
// nothing whatever the palette holds for it.
TEST(CoverageBytesTest, CoverageRoundsToTheNearestLevel) {
  const CoverageBytes bytes = CoverageBytesFor({9, 1, 2, 3, 4});
  const std::vector<std::pair<int, int>> expected = {
      {0, 0}, {31, 0}, {32, 1}, {95, 1}, {96, 2}, {159, 2}, {160, 3}, {223, 3}, {224, 4}, {255, 4}};
  for (const auto& [coverage, value] : expected) EXPECT_EQ(bytes[coverage], value) << coverage;
}

TEST_F(TrueTypeTest, SizesBeyondTheRasterOrFreeTypeAreFatal) {
  EXPECT_EQ(FatalMessageOf([&] { Render(400, 16); }), "Glyph is too large (X)!");
  EXPECT_EQ(FatalMessageOf([&] { Render(16, 400); }), "Glyph is too large (Y)!");
  EXPECT_EQ(FatalMessageOf([&] { Render(100000, 16); }),
            "FreeType: Could not set character sizes !");
}

}  // namespace
