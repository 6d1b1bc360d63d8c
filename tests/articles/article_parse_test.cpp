#include <gtest/gtest.h>

#include <tuple>

#include "article_fixture.h"
#include "articles/parser_state.h"
#include "base/stop_request.h"
#include "base/text_encoding.h"
#include "generators/png_writer.h"
#include "support/child_process.h"

namespace {

using Strings = std::vector<std::string>;
using ArticleParseTest = ArticleFixture;

TEST_F(ArticleParseTest, EmptyLineShowsAsOneSpaceAndTheSentinelClosesTheList) {
  Parse("a\n\nb\n");
  EXPECT_EQ(Texts(), (Strings{"a|", "|", "b|"}));  // the last segment loses its blanks
  EXPECT_EQ(Lines()[1]->width, 8);
  EXPECT_EQ(Lines()[2]->sourceLine, 3);
  EXPECT_EQ(Lines()[2]->segments[0].y, 48);  // baseline at the bottom
  EXPECT_EQ(article.totalHeight, 48 + 20);
  EXPECT_EQ(article.lines.front().y, 68);
}

TEST_F(ArticleParseTest, LinesOfOnlyTagsAddNoHeightButHlineAddsARuleAndALine) {
  Parse("<#COLOR:FF0000#>\na\n<#HLINE#>\nb");
  EXPECT_EQ(Texts(), (Strings{"a|", "b|"}));
  EXPECT_EQ(Lines()[0]->y, 0);
  EXPECT_EQ(Lines()[0]->segments[0].colour, 0xFF0000u);
  ASSERT_EQ(article.drawings.size(), 1u);
  const LineDrawing& rule = article.drawings.front();
  EXPECT_EQ(std::tie(rule.x1, rule.x2, rule.y1, rule.y2), std::make_tuple(0, 320, 20, 20));
  EXPECT_EQ(Lines()[1]->y, 16 + 8 + 16);
}

TEST_F(ArticleParseTest, GotoMovesAlongTheLineOnlyForRelativeXAndZeroY) {
  Parse("abc<#GOTO:+10:0#>def\nabc<#GOTO:10:+40#>def\n<#GOTO:10:0#>x");
  EXPECT_EQ(Texts(), (Strings{"abc|def|", "abc|", "def|", "x|"}));
  const auto lines = Lines();
  EXPECT_EQ(lines[0]->segments[1].x, 24 + 10);
  EXPECT_EQ(lines[1]->y, 16);
  EXPECT_EQ(std::tie(lines[2]->x, lines[2]->y), std::make_tuple(10, 16 + 40));
  EXPECT_EQ(std::tie(lines[3]->x, lines[3]->y), std::make_tuple(10, 0));
  EXPECT_EQ(ParseError("<#GOTO:10#>"), "Unexpected end of token !");
  EXPECT_EQ(ParseError("<#GOTO:+:1#>"), "Error inside token !");
  // Named at the article's line, with the tag and what it could not read.
  EXPECT_EQ(FatalPlaceOf([&] { Parse("x\n<#GOTO:+:1#>"); }),
            "DATA/articles/test.art:2: Error inside token ! (<#GOTO#>: \"+\" is not a number or "
            "+number or -number)");
  EXPECT_EQ(FatalPlaceOf([&] { Parse("<#COLOR:xyz#>"); }),
            "DATA/articles/test.art:1: Error inside token ! (<#COLOR#>: \"xyz\" is not a colour "
            "in hexadecimal)");
}

TEST_F(ArticleParseTest, ArgumentsOutOfRangeStopTheEngine) {
  EXPECT_EQ(ParseError("<#SIZE:1:16#>"), "Fontsize -> Out of range !");
  EXPECT_EQ(ParseError("<#SIZE:2:2#>"), "");  // the smallest size
  EXPECT_EQ(ParseError("<#JLIMIT:1#>"), "JLIMIT -> invalid value !");
  EXPECT_EQ(ParseError("<#COLOR:#>"), "Error inside token !");
  EXPECT_EQ(ParseError("<#SCROLL:1"), "Unexpected value !");  // flags past the line's end
  EXPECT_EQ(ParseError("<#FLINE:1:2#>:3:4#>"), "Unexpected end of token !");
  EXPECT_EQ(ParseError("<#TITLE#>News<#END"), "Error in <#TITLE#> token !");
  EXPECT_EQ(ParseError("<#UNKNOWN"), "Unexpected end of tag !");
}

TEST_F(ArticleParseTest, FacenameMeasuresTheNextTextInAGlyphTable) {
  AddArial();
  Parse("<#TITLE#>T<#END#>x<#FACENAME:DATA/fonts/arial.ttf#>abc<#FACENAME::FIXED#>d\n");
  const auto& segments = Lines()[0]->segments;
  ASSERT_EQ(segments.size(), 3u);
  EXPECT_EQ(article.titleFont, nullptr);
  EXPECT_EQ(segments[0].font, nullptr);
  ASSERT_NE(segments[1].font, nullptr);
  EXPECT_EQ(segments[1].font->sizeY, 16);
  EXPECT_EQ(segments[1].x, 8);
  EXPECT_EQ(segments[2].x, 8 + segments[1].width);
  EXPECT_EQ(segments[2].font, nullptr);
}

// Runs are read in pieces of ARTICLE_RUN_MAX bytes after the conversion.
TEST_F(ArticleParseTest, Utf8ArticleLaysOutAsWindows1252) {
  AddArial();
  const auto layout = [&](const std::string& text) {
    FontCacheFree(article.fontCache);
    article = Article{};
    Parse(text);
    Strings texts = Texts();
    for (const ArticleLine* line : Lines()) texts.push_back(std::to_string(line->width));
    return texts;
  };
  const std::string face = "<#FACENAME:DATA/fonts/arial.ttf#>";
  std::string windows = face + "Caf\xE9 \x80\x92\n";
  std::string utf8 = "\xEF\xBB\xBF" + face + "Caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x99\n";
  for (size_t i = 0; i < ARTICLE_RUN_MAX; ++i) windows += "\xE9", utf8 += "\xC3\xA9";
  EXPECT_EQ(layout(utf8), layout(windows));
}

TEST_F(ArticleParseTest, PrefixMatchingTakesTheLiteralsIncludingTheirEnd) {
  Parse("a<#UNKNOWN#>b<#BOLDER#>c<#AA_OFFxyz#>d<#ABREAK_ON1#>e\n");
  EXPECT_EQ(Texts(), (Strings{"a|b|c|d|e|"}));
  const auto& segments = Lines()[0]->segments;
  EXPECT_EQ(segments[2].antialias, 1);
  EXPECT_EQ(segments[3].antialias, 0);
  EXPECT_EQ(segments[4].mode, 0);  // a line's own end gives no breakMode
}

TEST_F(ArticleParseTest, TitleAndArticleWideSettings) {
  Parse("<#COLOR:ABC#><#AA_OFF#><#TITLE#>News<#END#> text<#TITLE#><#END#>\n"
        "<#ACLC:00FF00#><#VISLC:  12#><#SCROLL:1:0:1:0#><#COLUMNS#>");
  EXPECT_EQ(article.title, "News");  // an empty title keeps the one before
  EXPECT_EQ(article.titleColour, 0xABC);
  EXPECT_EQ(article.titleAntialias, 0);
  EXPECT_EQ(Texts(), (Strings{" text|"}));
  EXPECT_EQ(article.activeLinkColour, 0x00FF00u);
  EXPECT_EQ(article.visitedLinkColour, 0x12u);
  EXPECT_EQ(std::tie(article.lineScroll, article.pageScroll, article.spreadSingleStep,
                     article.spreadDoubleStep, article.twoColumns),
            std::make_tuple(1, 0, 1, 0, 1));
}

TEST_F(ArticleParseTest, LinkTargetsGetIdsInOrderOfFirstUse) {
  Parse("<#LINK:ART:x#>a<#ENDL#>b<#LINK:ART:y#>c<#LINK:ART:x#>d<#LINK:art:x#>e\n");
  const auto& segments = Lines()[0]->segments;
  const int32_t ids[] = {0, -1, 1, 0, 2};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(segments[i].linkId, ids[i]);
    EXPECT_EQ(segments[i].isLink, ids[i] != -1);
  }
  EXPECT_EQ(article.linkTargets.front().text, "art:x");
  EXPECT_EQ(Lines()[0]->hasLink, 1);
}

TEST_F(ArticleParseTest, PictureLinksTakeAHoverPictureOnlyInTheThreeFieldForm) {
  WritePng("a.png", 4, 30, std::vector<uint32_t>(120, 0x123456));
  WritePng("b.png", 4, 50, std::vector<uint32_t>(200, 0x123456));
  Parse("abc<#PICLINK:a.png:b.png:ART:b.art#>\n<#PICLINK:A.PNG:c.png#><#PICTURE:a.png#>");
  ASSERT_EQ(article.placements.size(), 3u);
  const PicturePlacement& hovered = article.placements[2];
  EXPECT_EQ(hovered.x, 24);
  EXPECT_EQ(hovered.hoverPicture->image.height, 50);
  EXPECT_EQ(article.linkTargets.back().text, "ART:b.art");
  const PicturePlacement& plain = article.placements[1];
  EXPECT_EQ(std::tie(plain.y, plain.hasHover, plain.linkId), std::make_tuple(16, 0, 1));
  EXPECT_EQ(article.linkTargets.front().text, "c.png");
  EXPECT_EQ(article.placements[0].linkId, -1);
  EXPECT_EQ(article.pictures.size(), 2u);   // a.png once, in any case
  EXPECT_EQ(article.totalHeight, 50 + 20);  // the hover picture reaches lowest
  EXPECT_EQ(ParseError("<#PICLINK:a.png#>"), "Unexpected end of token !");
}

TEST_F(ArticleParseTest, LongLinesAndNamesAreCutNotOverrun) {
  AddArial();
  const std::string line(20000, 'a');
  Parse(line + "\n" + std::string(2000, '\t') + "x<#BOLD#>\n<#FACENAME:" +
        std::string(600, 'f') + "#>z\n");
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0]->segments[0].text.size(), 9999u);
  EXPECT_EQ(lines[2]->segments[0].text, "aa");
  EXPECT_EQ(lines[3]->width, 9999 * 8);
  EXPECT_NE(lines[4]->segments[0].font, nullptr);  // unknown face: the fallback
  EXPECT_EQ(ParseError(std::string("a\0<#", 4) + "\n"), "");
}

}  // namespace

// A request to stop, as a signal raises it, ends a long layout and its
// text's conversion early.
TEST_F(ArticleParseTest, AStopRequestCutsTheLayoutShort) {
  const ChildResult child = RunInChild([&] {
    RequestStop();
    Parse(std::string(1000, 'x') + "\n" + std::string(1000, 'y'));
    std::exit(Lines().empty() && !Windows1252FromUtf8("\xC3\xA9") ? 0 : 1);
  });
  EXPECT_TRUE(child.exited && child.status == 0);
}
