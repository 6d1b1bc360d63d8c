#include <gtest/gtest.h>

#include <tuple>

#include "article_fixture.h"
#include "generators/png_writer.h"

namespace {

using Strings = std::vector<std::string>;
using ArticleLayoutTest = ArticleFixture;

TEST_F(ArticleLayoutTest, PlainLineBreaksAtTheFitCountWithoutSpaces) {
  Parse("<#ABREAK_ON#>\n" + std::string(100, 'a') + "\n");
  EXPECT_EQ(Texts(), (Strings{std::string(39, 'a') + "|", std::string(39, 'a') + "|",
                              std::string(22, 'a') + "|"}));
  EXPECT_EQ(Lines()[2]->y, 32);
}

TEST_F(ArticleLayoutTest, PlainLineBreaksAtTheLastSpaceAndTrimsItsPieces) {
  Parse("<#ABREAK_ON#><#JLIMIT:100#>\nx aaaa bbbb cccc dddd\nx " + std::string(20, 'a') +
        "\n   abc\n   " + std::string(20, 'b') + "\n" + std::string(50, ' ') + "\nz\n");
  EXPECT_EQ(Texts(), (Strings{"x aaaa bbbb|", "cccc dddd|", "x|", std::string(12, 'a') + "|",
                              std::string(8, 'a') + "|", "   abc|", std::string(12, 'b') + "|",
                              std::string(8, 'b') + "|", "z|"}));
  EXPECT_EQ(Lines()[8]->y, 8 * 16);  // the long line of spaces shows nothing
}

TEST_F(ArticleLayoutTest, TaggedRunMovesWholeUpToTenFittingCharactersElseIsCut) {
  const std::string word(20, 'b');
  Parse("<#ABREAK_ON#><#JLIMIT:144#>aaaaaaaa<#ENDL#>" + word +  // 80 pixels left: 10 fit
        "\n<#JLIMIT:145#>aaaaaaaa<#ENDL#>" + word + "<#ENDL#>c\n");
  EXPECT_EQ(Texts(), (Strings{"aaaaaaaa|", std::string(17, 'b') + "|", "bbb|",
                              "aaaaaaaa|" + std::string(11, 'b') + "|",
                              std::string(9, 'b') + "|c|"}));
  EXPECT_EQ(Lines()[4]->segments[1].x, 9 * 8);
  EXPECT_EQ(Lines()[4]->y, 4 * 16);
}

TEST_F(ArticleLayoutTest, TaggedRunSplitsAtASpaceAndWrapsItsRest) {
  Parse("<#ABREAK_ON#><#JLIMIT:100#>aaaa<#ENDL#>bbb cccccccccccccccccccc dd<#ENDL#>e\n");
  EXPECT_EQ(Texts(), (Strings{"aaaa|bbb|", "cccccccccccc|", "cccccccc dd|e|"}));
  EXPECT_EQ(Lines()[2]->segments[0].y, 48);  // baselines at the line's bottom
}

TEST_F(ArticleLayoutTest, RunEndingInSpacesAtTheLimitLeavesNoEmptyRest) {
  Parse("<#ABREAK_ON#><#JLIMIT:100#>" + std::string(12, 'a') + " <#ENDL#>\nb\n");
  EXPECT_EQ(Texts(), (Strings{std::string(12, 'a') + "|", "b|"}));
}

TEST_F(ArticleLayoutTest, BreakModeGoesToBrokenLinesButNotToTheLastOne) {
  const std::string paragraph = "aaaa bbbb cccc dddd eeee ffff\n";
  Parse("<#JLIMIT:100#><#ABREAK_ON1#>" + paragraph + "<#JUSTIFY1#>" + paragraph +
        "<#ENDJ#><#ABREAK_ON2#><#JLIMIT:60#>xx<#ENDL#>yyyyyyyyyyyyyyy<#ENDL#>z\n");
  std::vector<int32_t> modes;
  for (const ArticleLine* line : Lines()) {
    for (const TextSegment& segment : line->segments) modes.push_back(segment.mode);
  }
  EXPECT_EQ(modes, (std::vector<int32_t>{1, 1, 0, 1, 1, 1, 2, 2, 2, 0, 0}));
}

TEST_F(ArticleLayoutTest, PlainTextAtTheLimitAfterGotoIsFatalATaggedRunWraps) {
  EXPECT_EQ(ParseError("<#ABREAK_ON#><#GOTO:320:+0#>abc\n"),
            "Internal script error! (CursorPosition >= JustificationLimit)");
  article = Article{};
  Parse("<#ABREAK_ON#><#GOTO:400:+0#>abc<#ENDL#>\n");
  ASSERT_EQ(Lines().size(), 1u);  // no empty line left behind
  EXPECT_EQ(Lines()[0]->x, 0);
  EXPECT_EQ(Texts(), (Strings{"abc|"}));
}

TEST_F(ArticleLayoutTest, JustifyWidensSpacesOrGapsUpToTheLimit) {
  Parse("<#JLIMIT:100#><#JUSTIFY1#>x aaaa bbbb\n<#JUSTIFY2#>ab\nabc\n"
        "<#JUSTIFY1#><#JLIMIT:96#>aaaa bbbb cc\n<#JLIMIT:97#>aaaa bbbb cc\n");
  const auto lines = Lines();
  EXPECT_EQ(lines[0]->width, 100);
  EXPECT_FLOAT_EQ(lines[0]->segments[0].wordSpacing, 6.0f);
  EXPECT_FLOAT_EQ(lines[1]->segments[0].charSpacing, 84.0f);  // 'ab': one gap
  EXPECT_FLOAT_EQ(lines[2]->segments[0].charSpacing, 38.0f);  // 'abc': two
  for (int i = 3; i < 5; ++i) {  // free space of 0 and 1 pixel
    EXPECT_EQ(lines[i]->width, 96);
    EXPECT_EQ(lines[i]->segments[0].wordSpacing, 0.0f);
  }
}

TEST_F(ArticleLayoutTest, SegmentWithoutSpacesPassesItsShareOn) {
  Parse("<#JLIMIT:100#>ab<#JUSTIFY1#>abcd<#ENDL#>ef gh   <#ENDL#>\n<#JUSTIFY1#>   <#ENDL#>\n");
  const auto& segments = Lines()[0]->segments;
  EXPECT_EQ(segments[1].x, 16);  // the one before the group is not moved
  EXPECT_EQ(segments[2].x, 48);
  EXPECT_EQ(segments[2].width, 40 + 12);  // the whole free space: 100 - 88
  EXPECT_FLOAT_EQ(segments[2].wordSpacing, 12.0f);
  EXPECT_EQ(Lines()[1]->segments[0].wordSpacing, 0.0f);  // nothing left to widen
}

TEST_F(ArticleLayoutTest, PictureSpeedsCacheAndHeight) {
  WritePng("sky.png", 2, 100, std::vector<uint32_t>(200, 1));
  Parse("a<#PICTURE:sky.png*20*-5#><#PICTURE:SKY.PNG*20*-5#>\n"
        "<#GOTO:0:200#><#PICTURE:sky.png*0*0#>");
  ASSERT_EQ(article.pictures.size(), 2u);
  const PictureEntry& still = article.pictures.front();
  const PictureEntry& moving = article.pictures.back();
  EXPECT_EQ(std::tie(moving.scrolling, moving.speedX, moving.speedY), std::make_tuple(1u, 20, -5));
  EXPECT_EQ(still.scrolling, 0u);
  EXPECT_EQ(article.totalHeight, 300 + 20);
  article = Article{};
  EXPECT_EQ(ParseError("<#PICTURE:sky.png*x#>"), "Cannot scan pix scroll values!");
  EXPECT_EQ(ParseError("<#PICTURE:#>"), "Internal error!");
}

}  // namespace
