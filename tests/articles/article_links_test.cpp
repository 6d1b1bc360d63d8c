#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <string>
#include <vector>

#include "article_fixture.h"
#include "articles/article_links.h"
#include "articles/link_targets.h"
#include "base/clock.h"
#include "generators/png_writer.h"

namespace {

uint32_t testNow = 0;
uint32_t TestClock() { return testNow; }

constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t WHITE = 0xFFFFFF;

class ArticleLinksTest : public ArticleFixture {
 protected:
  void SetUp() override {
    ArticleFixture::SetUp();
    EngineFixedFont->rows.fill(0xFF);  // every glyph a solid block, to show in the pixels
    testNow = 1000;
    SetEngineClock(TestClock);
  }
  void ParseWithView(const std::string& text, int32_t width, int32_t height) {
    Parse(text);
    ArticleClearHover(article);
    PictureAlloc(view, width, height);
    article.view = &view;
  }
  bool HoverAt(int32_t x, int32_t y, int32_t cx = 0, int32_t cy = 0) {
    ArticleClearHover(article);
    ArticleSetMouse(article, x, y);
    return ArticleHoverSearch(article, cx, cy);
  }
  int32_t DrawTitle(int32_t width) {
    PictureAlloc(box, width, 16);
    return ArticleDrawTitle(article, 0, 0, box);
  }
  void Hover(const std::string& target) {
    article.linkTargets.push_front(DecodeLinkTarget(target));
    article.linkTargets.front().id = 99;
    article.hoverTarget = &article.linkTargets.front();
  }

  Picture view{};
  Picture box{};
};

using ArticleLinksHoverTest = ArticleLinksTest;

TEST_F(ArticleLinksHoverTest, FixedFontBoxIncludesItsRightAndTopEdgesInsideTheView) {
  ParseWithView("<#LINK:ART:a.art#>ab<#ENDL#>\n", 100, 100);
  EXPECT_TRUE(HoverAt(16, 4));
  ASSERT_NE(ArticleHoverTarget(article), nullptr);
  EXPECT_EQ(ArticleHoverTarget(article)->text, "ART:a.art");
  EXPECT_FALSE(HoverAt(17, 4));
  EXPECT_EQ(ArticleHoverTarget(article), nullptr);
  EXPECT_FALSE(HoverAt(5, 3));
  EXPECT_TRUE(HoverAt(20 + 16, 4, 20, 0));
  // A link in a line the view shows only in part is not hovered.
  PictureAlloc(view, 100, 16);
  EXPECT_TRUE(HoverAt(4, 10));
  EXPECT_FALSE(HoverAt(4, 9, 0, -1));  // top above the view
  EXPECT_FALSE(HoverAt(4, 11, 0, 1));  // bottom below the view
  article.view = nullptr;
  EXPECT_FALSE(HoverAt(4, 10));
}

TEST_F(ArticleLinksHoverTest, TrueTypeLinkUsesItsSegmentsSpacing) {
  AddArial();
  ParseWithView("<#FACENAME:DATA/fonts/arial.ttf#><#LINK:ART:a.art#>ab<#ENDL#>\n", 200, 100);
  const TextSegment& segment = Lines()[0]->segments[0];
  EngineFontManager->charSpacing = 50;
  EXPECT_TRUE(HoverAt(segment.x + segment.width, segment.y - 1));
  EXPECT_EQ(EngineFontManager->charSpacing, segment.charSpacing);
  EXPECT_FALSE(HoverAt(segment.x + segment.width + 1, segment.y - 1));
}

TEST_F(ArticleLinksHoverTest, PictureLinkBoundsAreInclusive) {
  WritePng("p.png", 4, 30, std::vector<uint32_t>(120, 0x123456));
  ParseWithView("<#PICLINK:p.png:p.png:ART:p#>\n<#LINK:ART:t#>ab<#ENDL#>", 100, 100);
  const PicturePlacement& placement = article.placements.front();
  const int32_t x = placement.x, y = placement.y;
  EXPECT_TRUE(HoverAt(x + 4, y + 30));
  EXPECT_EQ(ArticleHoverTarget(article)->text, "ART:p");
  EXPECT_FALSE(HoverAt(x + 5, y));
  EXPECT_FALSE(HoverAt(x, y + 31));
  ArticleBuildHotspots(article);
  ASSERT_EQ(article.hotspots.size(), 2u);
  const Hotspot& picture = article.hotspots[0];
  EXPECT_EQ(std::tie(picture.x, picture.y, picture.width, picture.height), std::make_tuple(x, y, 4, 30));
}

using ArticleLinksHotspotTest = ArticleLinksTest;

TEST_F(ArticleLinksHotspotTest, OrderedLeftToRightThenByLine) {
  ParseWithView("<#LINK:ART:c#>c<#ENDL#>\n<#LINK:ART:a#>a<#ENDL#> <#LINK:ART:b#>b<#ENDL#>",
                100, 20);
  // Lines are listed lowest first; reversing the segments makes x decide too.
  ASSERT_EQ(article.lines[1].segments.size(), 3u);
  std::reverse(article.lines[1].segments.begin(), article.lines[1].segments.end());
  ArticleBuildHotspots(article);
  ASSERT_EQ(article.hotspots.size(), 3u);
  for (int32_t i : {-1, 0, 1, 2, 3}) EXPECT_EQ(ArticleHotspotId(article, i), i < 3 ? i : -1);
  const Hotspot& first = article.hotspots[0];
  EXPECT_EQ(std::tie(first.y, first.width, first.height), std::make_tuple(16 - 12, 8, 12));
}

TEST_F(ArticleLinksHotspotTest, VisibleRangeAndSelection) {
  ParseWithView("<#LINK:ART:a#>a<#ENDL#>\n<#LINK:ART:b#>b<#ENDL#>\n<#LINK:ART:c#>c<#ENDL#>",
                100, 20);
  ArticleBuildHotspots(article);
  auto visible = [&] { return std::pair(ArticleFirstVisibleHotspot(article), ArticleLastVisibleHotspot(article)); };
  // Boxes at y 4, 20 and 36, 12 high, in a view 20 high.
  EXPECT_EQ(visible(), std::pair(0, 0));
  article.scrollY = 5;
  EXPECT_EQ(ArticleFirstVisibleHotspot(article), -1);
  article.twoColumns = 1;
  article.rightScrollY = -20;
  EXPECT_EQ(ArticleFirstVisibleHotspot(article), 1);
  article.scrollY = 0;
  EXPECT_EQ(visible(), std::pair(0, 1));  // the right column wins
  ASSERT_NE(ArticleSelectHotspot(article, 2), nullptr);
  EXPECT_EQ(article.hoverTarget->text, "ART:c");
  EXPECT_EQ(article.hoverId, 2);
  EXPECT_EQ(ArticleSelectHotspot(article, 3), nullptr);
  article.hotspots.clear();
  EXPECT_EQ(ArticleLastVisibleHotspot(article), -1);
}

TEST_F(ArticleLinksHotspotTest, TableHoldsAtMost8190Entries) {
  std::string text;
  for (int i = 0; i < 8190; ++i) text += "<#LINK:x#>a<#ENDL#>\n";
  Parse(text);
  EXPECT_EQ(FatalMessageOf([&] { ArticleBuildHotspots(article); }), "");
  article.lines.front().hasLink = 1;
  article.lines.front().segments.push_back(Lines()[0]->segments[0]);
  EXPECT_EQ(FatalMessageOf([&] { ArticleBuildHotspots(article); }), "LinksTable overload !");
}

using ArticleLinksTitleTest = ArticleLinksTest;

TEST_F(ArticleLinksTitleTest, ColourEscapes) {
  Parse("<#COLOR:123#><#TITLE#>\\0xFF0000 Hot \\+FFFFFF news<#END#>");  // as %X reads
  ArticlePrepareTitle(article);
  EXPECT_EQ(article.title, "Hot news");
  EXPECT_EQ(article.titleColours,
            (std::vector<uint32_t>{RED, RED, RED, RED, WHITE, WHITE, WHITE, WHITE}));
  EXPECT_EQ(DrawTitle(100), 8);
  EXPECT_EQ(box.pixels[1], RED);
  EXPECT_EQ(box.pixels[8 * 3 + 1], 0u);  // spaces only advance
  EXPECT_EQ(box.pixels[8 * 4 + 1], WHITE);
}

TEST_F(ArticleLinksTitleTest, BackslashesAndUnreadableEscapes) {
  Parse("<#COLOR:123#><#TITLE#>\\\\x<#END#>");
  ArticlePrepareTitle(article);
  EXPECT_EQ(article.title, "\\x");
  article.title = "a\\GG b\\";  // not a number; a final backslash ends the text
  ArticlePrepareTitle(article);
  EXPECT_EQ(article.title, "ab");
  EXPECT_EQ(article.titleColours, (std::vector<uint32_t>{0x123, 0x123}));
}

TEST_F(ArticleLinksTitleTest, AltTextReplacesTheTitleWhileHovered) {
  Parse("<#COLOR:123#><#TITLE#>News<#END#>");
  ArticlePrepareTitle(article);
  Hover("ART:a.art:ALT:Read \\FF0000 this");
  EXPECT_EQ(DrawTitle(100), 9);
  EXPECT_EQ(box.pixels[1], 0x123u);
  EXPECT_EQ(box.pixels[8 * 5 + 1], RED);
  Hover("ART:a.art:ALT:");
  EXPECT_EQ(DrawTitle(100), 4);
  Hover("ART:a.art:ALT:" + std::string(2047, 'a'));
  EXPECT_EQ(FatalMessageOf([&] { DrawTitle(100); }), "ALT tag is too long!");
  Hover("ART:a.art:ALT:" + std::string(2046, 'a'));
  EXPECT_EQ(DrawTitle(100), 2046);
}

}  // namespace
