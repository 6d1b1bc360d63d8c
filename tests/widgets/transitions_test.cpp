#include "widgets/transitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "articles/article.h"
#include "articles/article_view.h"
#include "support/fatal_catch.h"
#include "text/fixed_font.h"

namespace {

constexpr uint32_t UNTOUCHED = 0xEEEEEE;
constexpr uint32_t BACKGROUND = 0x445566;
constexpr int32_t TOP = 3;

uint32_t OldColour(int32_t x, int32_t y) { return 0x200000u | x << 8 | y; }
uint32_t NewColour(int32_t x, int32_t y) { return 0x100000u | x << 8 | y; }
uint32_t Untouched(int32_t, int32_t) { return UNTOUCHED; }

void Fill(Picture& picture, uint32_t colour) {
  std::fill_n(picture.pixels, picture.width * picture.height, colour);
}

// A 10 x 7 plasma, wider than the pages so that its own row length counts.
IndexedPicture Plasma(int32_t width = 10, int32_t height = 7) {
  IndexedPicture plasma{};
  IndexedPictureAlloc(plasma, width, height);
  for (int32_t i = 0; i < width * height; ++i) plasma.pixels[i] = static_cast<uint8_t>(i * 37);
  return plasma;
}

// A panel with a 3-row top strip and 8 x 6 pages on an 8 x 11 screen, whose
// pages encode each pixel's position.
class TransitionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel.hasTop = 1;
    PictureAlloc(panel.top, 8, TOP);
    PictureAlloc(panel.middle, 8, 6);
    PictureAlloc(panel.oldPage, 8, 6);
    PictureAlloc(panel.newPage, 8, 6);
    for (int32_t i = 0; i < 48; ++i) {
      panel.oldPage.pixels[i] = OldColour(i % 8, i / 8);
      panel.newPage.pixels[i] = NewColour(i % 8, i / 8);
    }
    PictureAlloc(screen, 8, 11);
    Fill(screen, UNTOUCHED);
  }
  void TearDown() override { PanelDestroy(panel); }

  // Pixel (x, y) of the page view.
  uint32_t View(int32_t x, int32_t y) const { return screen.pixels[(TOP + y) * 8 + x]; }
  // The view shows colour(x, y) and the screen outside it is untouched.
  template <typename Colour>
  bool ViewIs(Colour colour) const {
    for (int32_t i = 0; i < 8 * 11; ++i) {
      const int32_t y = i / 8 - TOP;
      if (screen.pixels[i] != (y >= 0 && y < 6 ? colour(i % 8, y) : UNTOUCHED)) return false;
    }
    return true;
  }

  Panel panel{};
  Picture screen{};
};

}  // namespace

TEST_F(TransitionTest, NothingDrawnOutsideTheOpenInterval) {
  const IndexedPicture plasma = Plasma();
  for (float p : {0.0f, 1.0f, -0.5f, 2.0f, NAN}) {
    PlasmaFrame(panel, p, screen, plasma);
    CrossfadeFrame(panel, p, screen);
    PageTurnFrame(panel, p, screen, 0);
    PageTurnFrame(panel, p, screen, 1);
    EXPECT_TRUE(ViewIs(Untouched)) << p;
    EXPECT_EQ(panel.oldPage.pixels[0], OldColour(0, 0));
  }
}

// What a step copies stays: a later, lower threshold changes nothing.
TEST_F(TransitionTest, PlasmaCopiesExactlyThePixelsBelowTheThreshold) {
  const IndexedPicture plasma = Plasma();
  const auto half = [&](int32_t x, int32_t y) {
    return plasma.pixels[y * 10 + x] < 128 ? NewColour(x, y) : OldColour(x, y);
  };
  PlasmaFrame(panel, 0.5f, screen, plasma);
  EXPECT_TRUE(ViewIs(half));
  PlasmaFrame(panel, 0.25f, screen, plasma);
  EXPECT_TRUE(ViewIs(half));
}

TEST_F(TransitionTest, PlasmaValueZeroAppearsFirstAnd255NeverAndASmallerOneIsFatal) {
  IndexedPicture plasma = Plasma(8, 6);
  std::fill_n(plasma.pixels, 48, uint8_t{255});
  plasma.pixels[9] = 0;
  PlasmaFrame(panel, 0.001f, screen, plasma);  // threshold 0: nothing yet
  EXPECT_EQ(View(1, 1), OldColour(1, 1));
  PlasmaFrame(panel, 0.004f, screen, plasma);  // threshold 1
  EXPECT_EQ(View(1, 1), NewColour(1, 1));
  PlasmaFrame(panel, 0.99999994f, screen, plasma);
  EXPECT_EQ(View(0, 0), OldColour(0, 0));
  for (auto [w, h] : {std::pair{7, 6}, {8, 5}}) {
    const IndexedPicture small = Plasma(w, h);
    EXPECT_EQ(FatalMessageOf([&] { PlasmaFrame(panel, 0.5f, screen, small); }), "Bad plasma !");
  }
}

// Each channel is trunc(a * new) + trunc((1 - a) * old).
TEST_F(TransitionTest, CrossfadeBlendsNewOverOldWithProgress) {
  Fill(panel.oldPage, 0xFF8001);
  Fill(panel.newPage, 0x0180FF);
  CrossfadeFrame(panel, 0.5f, screen);
  EXPECT_TRUE(ViewIs([](int32_t, int32_t) { return 0x7F807Fu; }));
  CrossfadeFrame(panel, 0.25f, screen);
  EXPECT_EQ(View(3, 3), 0xBF803Fu);  // 191+0, 96+32, 0+63
}

TEST_F(TransitionTest, PageTurnStartsOnTheOldPageAndEndsOnTheNewEitherWay) {
  for (int32_t backward : {0, 1}) {
    PageTurnFrame(panel, 0.001f, screen, backward);
    EXPECT_TRUE(ViewIs(OldColour)) << backward;
    PageTurnFrame(panel, 0.999f, screen, backward);
    EXPECT_TRUE(ViewIs(NewColour)) << backward;
  }
}

// Half-way, s = 7.3: the edge runs from (1, 6) to (6, 0) and visits (2, 5),
// (3, 4), (3, 3), (4, 2), (5, 1), (6, 0); each point folds the back page's
// row to its right up along the diagonal.
TEST_F(TransitionTest, PageTurnHalfWayEdgeAndFold) {
  PageTurnFrame(panel, 0.5f, screen, 0);
  const int32_t edge[6] = {6, 5, 4, 3, 3, 2};
  // Where the fold lands, the pixel of the new page it shows; later points win.
  const std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>> folded = {
      {{2, 4}, {3, 5}}, {{2, 3}, {4, 5}}, {{2, 2}, {5, 5}}, {{2, 1}, {6, 5}},
      {{3, 2}, {4, 3}}, {{3, 1}, {5, 3}}, {{4, 1}, {5, 2}}};
  EXPECT_TRUE(ViewIs([&](int32_t x, int32_t y) {
    const auto fold = folded.find({x, y});
    return fold != folded.end() ? NewColour(fold->second.first, fold->second.second)
           : x < edge[y]        ? OldColour(x, y)
                                : NewColour(x, y);
  }));
  PageTurnFrame(panel, 0.5f, screen, 1);
  EXPECT_EQ(View(0, 0), NewColour(0, 0));
  EXPECT_EQ(View(7, 0), OldColour(7, 0));
  EXPECT_EQ(View(2, 1), OldColour(6, 5));
}

// 6 + 6 rows on an 11-row screen; a short old page would be read past its end.
TEST_F(TransitionTest, PageTurnPagesThatDoNotFitAreFatal) {
  for (auto [picture, width, height, message] :
       {std::tuple{&panel.top, 8, 6, "Internal !"}, {&panel.top, 8, 5, ""},
        {&panel.newPage, 7, 6, "Internal !"}, {&panel.newPage, 8, 6, ""},
        {&panel.oldPage, 8, 5, "Internal !"}}) {
    PictureAlloc(*picture, width, height);
    EXPECT_EQ(FatalMessageOf([this] { PageTurnFrame(panel, 0.5f, screen, 0); }), message)
        << width << "x" << height;
  }
}

namespace {

// A 640-wide panel, 16-row pages and a three-page article of one solid
// fixed-font glyph per page: ink 170 at x 200, 187 at x 100, 204 at x 300.
class TransitionSlide : public ::testing::Test {
 protected:
  void SetUp() override {
    font.rows.fill(0xFF);
    article.fonts.fixed = &font;
    panel.hasTop = 1;
    PictureAlloc(panel.top, 640, 3);
    PictureAlloc(panel.middle, 640, 16);
    Fill(panel.middle, BACKGROUND);
    PictureAlloc(screen, 640, 20);
    article.hoverId = -1;
    article.firstDraw = 1;
    article.totalHeight = 52;
    for (auto [x, y, ink] : {std::tuple{200, 0, 0xAAu}, {100, 16, 0xBBu}, {300, 32, 0xCCu}}) {
      const TextSegment glyph{0, 0, x, y + 16, 0, 0, 0, 0, "a", ink, 0, nullptr, 0, -1, nullptr};
      article.lines.push_front(ArticleLine{0, 0, x, y, 8, 16, 0, 0, {glyph}});
    }
    article.lines.push_front(ArticleLine{0, 0, 0, 52, 1, 1, 0, 0, {}});  // the sentinel
  }
  void TearDown() override { PanelDestroy(panel); }

  uint32_t At(int32_t x) const { return screen.pixels[(3 + 8) * 640 + x]; }
  // "start:ink " for every run of non-background pixels on view row 8.
  std::string Glyphs() const {
    std::string found;
    for (int32_t x = 0; x < 640; ++x) {
      if (At(x) != BACKGROUND && (x == 0 || At(x - 1) != At(x))) {
        found += std::to_string(x) + ":" + std::to_string(At(x) & 0xFF) + " ";
      }
    }
    return found;
  }

  FixedFont font;
  Panel panel{};
  Picture screen{};
  Article article{};
};

}  // namespace

// A column step must not show the right column of its pages (C at 300).
TEST_F(TransitionSlide, ViewsMoveByTheMiddleWidthColumnsByHalfAndNothingAtTheEnds) {
  struct Row {
    int32_t variant, columns;
    ArticleScroll from, to;
    float progress;
    const char* glyphs;
  };
  const Row rows[] = {
      {SLIDE_FORWARD, 0, {0, 0}, {16, 0}, 0.25f, "40:170 580:187 "},  // origins -160 and 480
      {SLIDE_BACK, 0, {16, 0}, {0, 0}, 0.75f, "40:170 580:187 "},     // origins 480 and -160
      {SLIDE_BACK, 0, {16, 0}, {0, 0}, 0.25f, "260:187 "},            // origins 160 and -480
      {SLIDE_COLUMN_FORWARD, 1, {0, -32}, {16, -32}, 0.25f, "120:170 340:187 "},  // -80 and 240
      {SLIDE_COLUMN_BACK, 1, {16, -32}, {0, -32}, 0.75f, "120:170 340:187 "},     // 240 and -80
      {SLIDE_COLUMN_BACK, 1, {16, -16}, {0, -32}, 0.25f, "180:187 500:187 "},  // P1's right is B
      {SLIDE_FORWARD, 0, {0, 0}, {16, 0}, 0.0f, "0:238 "},
      {SLIDE_FORWARD, 0, {0, 0}, {16, 0}, 1.0f, "0:238 "}};
  for (const Row& row : rows) {
    Fill(screen, UNTOUCHED);
    article.twoColumns = row.columns;
    ArticleSetScroll(article, row.to.scrollY, row.to.rightScrollY);
    SlideFrame(panel, article, row.variant, row.from, row.to, row.progress, screen);
    EXPECT_EQ(Glyphs(), row.glyphs) << row.variant << " at " << row.progress;
    EXPECT_EQ(screen.pixels[0], UNTOUCHED);
    EXPECT_EQ(std::tie(article.scrollY, article.rightScrollY),
              std::tie(row.to.scrollY, row.to.rightScrollY));
  }
  EXPECT_EQ(article.firstDraw, 0);
  for (int32_t variant : {0, 5}) {
    EXPECT_EQ(FatalMessageOf([&] { SlideFrame(panel, article, variant, {}, {}, 0.5f, screen); }),
              "Internal !");
  }
}
