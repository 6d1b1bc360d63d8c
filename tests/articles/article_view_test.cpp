#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>
#include <vector>

#include "articles/article.h"
#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/clock.h"
#include "support/fatal_catch.h"
#include "text/fixed_font.h"

namespace {

constexpr uint32_t INK = 0x112233;
uint32_t clockNow = 0;
uint32_t TestClock() { return clockNow; }

class ArticleView : public ::testing::Test {
 protected:
  void SetUp() override {
    fixed.rows.fill(0xFF);  // every glyph a solid 8 x 16 block
    article.fonts.fixed = &fixed;
    PictureAlloc(view, 640, 50);
    article.lineScroll = article.pageScroll = true;
    article.spreadSingleStep = article.spreadDoubleStep = true;
    article.hoverId = -1;
    article.firstDraw = true;
    article.activeLinkColour = 0xFF0000;
    article.visitedLinkColour = 0x0000FF;
  }
  void TearDown() override { SetEngineClock(nullptr); }

  // A line of one fixed-font segment; lines go in newest first.
  ArticleLine& AddLine(int32_t x, int32_t y, std::string text, int32_t height = 16) {
    const int32_t width = 8 * static_cast<int32_t>(text.size());
    // mode, limit, x, baseline, width, height, spacings, text, colour, antialias, font, link
    const TextSegment segment{0, 0, x, y + height, 0, 0, 0, 0, text, INK, 0, nullptr, 0, -1, nullptr};
    article.lines.push_front(ArticleLine{0, 0, x, y, width, height, 0, 0, {segment}});
    return article.lines.front();
  }
  // Lines of height 16 every 16 pixels from y 0, then the sentinel.
  void AddLines(int32_t count) {
    for (int32_t i = 0; i < count; ++i) AddLine(0, 16 * i, "ab");
    article.totalHeight = 16 * count + 4;
    article.lines.push_front(ArticleLine{0, 0, 0, article.totalHeight, 1, 1, 0, 0, {}});
  }
  void Paginate(int32_t count) {
    AddLines(count);
    ArticleSetView(article, view);
  }
  int32_t S(size_t i) const { return article.pageStarts.at(i); }
  std::pair<int32_t, int32_t> Scroll() const { return {article.scrollY, article.rightScrollY}; }
  // Each move in turn, and the top of the view it leaves.
  void Moves(std::initializer_list<std::pair<void (*)(Article&), int32_t>> moves) {
    int step = 0;
    for (const auto& [move, scrollY] : moves) {
      move(article);
      EXPECT_EQ(article.scrollY, scrollY) << "move " << step++;
    }
  }

  FixedFont fixed{};
  Article article{};
  Picture view{};
};

using ArticleViewPages = ArticleView;

TEST_F(ArticleViewPages, PagesStartAtFirstOverflowingLineAndFollowTheViewsHeight) {
  Paginate(8);
  EXPECT_EQ(article.pageStarts, (std::vector<int32_t>{0, 48, 96}));
  article.scrollY = 48;
  Picture taller{};
  PictureAlloc(taller, 640, 100);
  ArticleSetView(article, taller);
  EXPECT_EQ(article.pageStarts, (std::vector<int32_t>{0, 96}));
  EXPECT_EQ(article.scrollY, 48);
}

TEST_F(ArticleViewPages, PageStartsAtHigherLineBesideOverflowingOneAndTooTallLinesAreFatal) {
  AddLine(0, 40, "tall", 30);
  AddLine(200, 45, "low", 10);
  ArticleSetView(article, view);
  ASSERT_GE(article.pageStarts.size(), 2u);
  EXPECT_EQ(S(1), 40);
  article = Article{};
  AddLine(0, 10, "huge", 60);
  PictureAlloc(view, 640, 40);  // another height: paginated again
  EXPECT_EQ(FatalMessageOf([&] { ArticleSetView(article, view); }), "Max lines overload !");
}

TEST_F(ArticleViewPages, FarLinesAtTheEndOfTheIntRangeGetTheirPage) {
  for (int32_t k = 0; k < 24; ++k) AddLine(0, k * 90000000, "ab");
  // As <#GOTO:0:2147483640#> places a line, then the sentinel.
  article.lines.push_front(ArticleLine{0, 0, 0, 2147483640, 24, 16, 0, 0, {}});
  article.lines.push_front(ArticleLine{0, 0, 0, INT32_MAX, 1, 1, 0, 0, {}});
  ArticleSetView(article, view);
  ASSERT_EQ(article.pageStarts.size(), 25u);
  EXPECT_EQ(S(24), 2147483640);
  article.twoColumns = 1;
  ArticleSetScroll(article, 2147483640, 0);
  ArticleLineBack(article);
  EXPECT_EQ(Scroll(), std::make_pair(2147483639, -INT32_MAX));  // the right column past the end
}

TEST_F(ArticleViewPages, ALongArticlePaginatesInOnePass) {
  constexpr int32_t count = 400000;  // 13334 pages of 30 lines: many seconds when each scans all
  for (int32_t i = 0; i < count; ++i) article.lines.push_front(ArticleLine{0, 0, 0, 16 * i, 8, 16, 0, 0, {}});
  PictureAlloc(view, 640, 480);
  const auto began = std::chrono::steady_clock::now();
  ArticleSetView(article, view);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(2));
  ASSERT_EQ(article.pageStarts.size(), 13334u);
  EXPECT_EQ(article.pageStarts.back(), 480 * 13333);
}

using ArticleViewScroll = ArticleView;

TEST_F(ArticleViewScroll, PageStepsOneColumn) {
  Paginate(8);
  Moves({{ArticlePageForward, 48}, {ArticlePageForward, 96}, {ArticlePageForward, 96}, {ArticlePageBack, 48},
         {[](Article& a) { a.scrollY = 60, ArticlePageBack(a); }, 0},  // inside page 1: to the one before
         {ArticlePageBack, 0}, {ArticleEnd, 96}, {ArticleHome, 0},
         {[](Article& a) { a.pageScroll = 0, ArticlePageForward(a); }, 0}});
}

TEST_F(ArticleViewScroll, LineStepsOneColumnSnapAndClamp) {
  Paginate(8);
  Moves({{ArticleLineForward, 16}, {ArticleLineBack, 0}, {ArticleLineBack, 0},
         {[](Article& a) { ArticleSetScroll(a, 20, 0), ArticleLineBack(a); }, 0},  // 4 lies in the line at 0
         {[](Article& a) { for (int i = 0; i < 20; ++i) ArticleLineForward(a); }, 96},
         {[](Article& a) { a.lineScroll = 0, ArticleLineBack(a); }, 96}});
}

TEST_F(ArticleViewScroll, SpreadsSingleAndDoubleSteps) {
  article.twoColumns = 1;
  Paginate(20);
  ASSERT_GE(article.pageStarts.size(), 6u);
  const size_t last = article.pageStarts.size() - 2;
  // Each move in turn, and the page the spread it leaves starts at.
  const std::pair<void (*)(Article&), size_t> moves[] = {
      {ArticleHome, 0}, {ArticlePageForward, 1},
      {[](Article& a) { a.spreadSingleStep = 0, ArticlePageForward(a); }, 3}, {ArticlePageBack, 1},
      {ArticleEnd, last}, {ArticlePageForward, last},
      {[](Article& a) { a.spreadDoubleStep = 0, ArticlePageBack(a); }, last}};
  for (const auto& [move, page] : moves) {
    move(article);
    EXPECT_EQ(Scroll(), std::make_pair(S(page), -S(page + 1))) << page;
  }
}

TEST_F(ArticleViewScroll, LineStepInTwoColumnsRightContinuesLeft) {
  article.twoColumns = 1;
  Paginate(8);
  ArticleLineForward(article);
  EXPECT_EQ(Scroll(), std::make_pair(16, -64));  // the line 64..80 crosses 66
  for (int i = 0; i < 20; ++i) ArticleLineForward(article);
  EXPECT_EQ(article.scrollY, 48);
}

TEST_F(ArticleViewScroll, FractionAndMovesWithoutView) {
  AddLines(8);
  ArticleHome(article);
  ArticleLineForward(article);  // no view yet: no move
  EXPECT_EQ(article.scrollY, 0);
  ArticleSetView(article, view);
  EXPECT_EQ(ArticleScrollFraction(article), 0.0f);
  article.twoColumns = 1;
  ArticleEnd(article);
  EXPECT_EQ(article.scrollY, 48);
  EXPECT_EQ(ArticleScrollFraction(article), 1.0f);
  article.totalHeight = 1;
  EXPECT_EQ(ArticleScrollFraction(article), 0.0f);
}

using ArticleViewDraw = ArticleView;

uint32_t Pixel(const Picture& picture, int32_t x, int32_t y) {
  return picture.pixels[y * picture.width + x];
}

TEST_F(ArticleViewDraw, FirstDrawStartsAtFirstPageUnlessSetAndRightColumnIs320PixelsRight) {
  article.twoColumns = 1;
  Paginate(8);
  article.scrollY = 77;
  ArticleDraw(article, 0, {.hitTest = false, .left = false, .right = true});  // the right column alone
  EXPECT_EQ(Scroll(), std::make_pair(0, -48));
  EXPECT_EQ(Pixel(view, 1, 10), 0u);
  EXPECT_EQ(Pixel(view, 321, 10), INK);  // its top line, at 48
  article.firstDraw = 1;
  ArticleSetScroll(article, 100, -300);
  ArticleDraw(article, 0, {.hitTest = false, .left = true, .right = true});
  EXPECT_EQ(Scroll(), std::make_pair(100, -300));
}

TEST_F(ArticleViewDraw, OnlyWholeLinesAreDrawn) {
  AddLine(8, 0, "a");
  AddLine(8, 40, "b");  // reaches 56, below the view's 50 rows
  ArticleSetView(article, view);
  ArticleDraw(article, 0, {.hitTest = false, .left = true, .right = false});
  EXPECT_EQ(Pixel(view, 9, 10), INK);
  EXPECT_EQ(Pixel(view, 9, 45), 0u);
  const ArticleLine& first = article.lines.back();
  EXPECT_TRUE(ArticleLineVisible(article, first, -16, 0));
  for (auto [x, y] : {std::pair{-17, 0}, {632, 0}, {0, -1}}) EXPECT_FALSE(ArticleLineVisible(article, first, x, y));
}

TEST_F(ArticleViewDraw, HoveredAndVisitedLinkColours) {
  article.linkTargets.push_front({0, 0, 0, "a.art", LinkKind::Other, {}, {}});
  article.linkTargets.push_front({1, 0, 2, "v.art", LinkKind::Other, {}, {}});
  for (int32_t i = 0; i < 3; ++i) {
    ArticleLine& line = AddLine(0, 16 * i, "link");
    line.hasLink = line.segments[0].isLink = 1;
    line.segments[0].linkId = i;
  }
  article.lines.front().segments[0].target = &article.linkTargets.front();
  ArticleSetView(article, view);
  ArticleSetMouse(article, 4, 10);
  ArticleDraw(article, 0, {.hitTest = true, .left = true, .right = false});
  EXPECT_EQ(article.hoverId, 0);
  EXPECT_EQ(Pixel(view, 2, 10), article.activeLinkColour);
  EXPECT_EQ(Pixel(view, 2, 26), INK);
  EXPECT_EQ(Pixel(view, 2, 42), article.visitedLinkColour);
}

TEST_F(ArticleViewDraw, HoverPictureOnlyForHoveredPictureLink) {
  PictureEntry& normal = article.pictures.emplace_front();
  PictureEntry& hover = article.pictures.emplace_front();
  for (auto [entry, colour] : {std::pair{&normal, 0x0000AAu}, {&hover, 0x00BB00u}}) {
    PictureAlloc(entry->image, 2, 2);
    entry->image.pixels[0] = colour;
  }
  article.placements.push_front({100, 5, 1, 1, &normal, &hover, 3});
  article.placements.push_front({120, 5, 0, 1, &normal, &hover, -1});
  article.drawings.push_front({50, 60, 30, 30, 0x777777});
  AddLines(1);
  ArticleSetView(article, view);
  ArticleDraw(article, 0, {.hitTest = false, .left = true, .right = false});
  EXPECT_EQ(Pixel(view, 100, 5), 0x0000AAu);
  EXPECT_EQ(Pixel(view, 120, 5), 0x0000AAu);  // a plain picture never swaps
  EXPECT_EQ(Pixel(view, 55, 30), 0x777777u);
  article.hoverId = 3;
  ArticleDraw(article, 0, {.hitTest = false, .left = true, .right = false});
  EXPECT_EQ(Pixel(view, 100, 5), 0x00BB00u);
}

class ArticleViewPictures : public ArticleView {
 protected:
  // A w x h picture whose only set pixel is (x, y).
  PictureEntry& AddScrolling(int32_t speedX, int32_t speedY, int32_t x, int32_t y) {
    PictureEntry& entry =
        article.pictures.emplace_front(PictureEntry{1, speedX, speedY, 0, 0, "", {}});
    PictureAlloc(entry.image, 30, 30);
    entry.image.pixels[y * 30 + x] = 1;
    return entry;
  }
  void At(uint32_t ticks) {
    SetEngineClock(TestClock);
    clockNow = ticks;
    ArticleAnimatePictures(article);
  }
  static int32_t Marked(const Picture& picture) {
    for (int32_t i = 0; i < picture.width * picture.height; ++i) {
      if (picture.pixels[i] != 0) return i;
    }
    return -1;
  }
};

TEST_F(ArticleViewPictures, RotateEachWayAndWrap) {
  const PictureEntry& right = AddScrolling(20, 0, 0, 3);
  const PictureEntry& left = AddScrolling(-5, 0, 2, 0);
  const PictureEntry& up = AddScrolling(0, 10, 0, 15);
  const PictureEntry& down = AddScrolling(0, -10, 0, 25);
  At(1000);
  EXPECT_EQ(Marked(right.image), 3 * 30);
  At(2000);
  EXPECT_EQ(Marked(right.image), 3 * 30 + 20);
  EXPECT_EQ(Marked(left.image), 27);
  EXPECT_EQ(Marked(up.image), 5 * 30);
  EXPECT_EQ(Marked(down.image), 5 * 30);
  At(3000);
  EXPECT_EQ(Marked(right.image), 3 * 30 + 10);  // 40 columns wrap to 10
}

// Absurd speeds move by the largest step; a picture too wide to rotate is fatal.
TEST_F(ArticleViewPictures, AbsurdSpeedsAndWidths) {
  const PictureEntry& right = AddScrolling(INT32_MAX, 0, 0, 3);
  const PictureEntry& left = AddScrolling(-INT32_MAX, 0, 2, 0);
  At(1000);
  At(2000);  // 2^31 pixels due, INT32_MAX taken: 7 columns of 30
  EXPECT_EQ(Marked(right.image), 3 * 30 + 7);
  EXPECT_EQ(Marked(left.image), 25);
  PictureEntry& entry = AddScrolling(1, 0, 0, 0);
  PictureAlloc(entry.image, 100000, 1);
  EXPECT_EQ(FatalMessageOf([&] { At(3000); }), "Internal buffer overload!");
}

}  // namespace
