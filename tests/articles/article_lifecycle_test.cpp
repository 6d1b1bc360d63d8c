#include "articles/article_lifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <tuple>

#include "articles/article_fixture.h"
#include "articles/article_links.h"

namespace {

class ArticleLifecycleTest : public ArticleFixture {
 protected:
  void TearDown() override {
    ArticleClose(article);
    ArticleFixture::TearDown();
  }
  void Load(const std::string& name, const std::string& text) {
    WriteFileText(name, text);
    ArticleLoad(article, ("DATA/arts/" + name).c_str(), EngineFonts());
  }
  const LinkEntry& Target(const std::string& text) const {
    const auto entry = std::ranges::find(article.linkTargets, text, &LinkEntry::text);
    if (entry == article.linkTargets.end()) throw std::runtime_error("no target " + text);
    return *entry;
  }
};

const char* const LINK_TO_B = "<#LINK:ART:b.art#>b<#ENDL#>\n";

}  // namespace

TEST_F(ArticleLifecycleTest, LoadResetsAReusedObjectAndResolvesTargets) {
  Load("a.art", "<#ACLC:00FF00#>old\nlines\n");
  article.hoverId = 3;
  article.rightScrollY = -5;
  article.firstDraw = 0;
  ArticleClose(article);
  Load("b.art", LINK_TO_B);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"b|"}));
  EXPECT_EQ(article.activeLinkColour, 0xFF0000u);
  EXPECT_EQ(std::tie(article.hoverId, article.rightScrollY, article.firstDraw), std::make_tuple(-1, 0, 1));
  EXPECT_EQ(Lines()[0]->segments[0].target, &Target("ART:b.art"));
}

TEST_F(ArticleLifecycleTest, FollowedTargetIsVisitedAgainAfterReloadingFromItsOwnName) {
  WriteFileText(HISTORY_FILE, "ART:x\n");
  Load("a.art", LINK_TO_B);
  EXPECT_EQ(Target("ART:b.art").visited, 0);
  ArticleMarkVisited(article, Target("ART:b.art"));
  EXPECT_EQ(Target("ART:b.art").visited, 1);
  ArticleClose(article);
  EXPECT_EQ(ReadFileText(HISTORY_FILE), "ART:x\nART:b.art\n");

  ArticleLoad(article, article.fileName.c_str(), EngineFonts());
  EXPECT_EQ(Target("ART:b.art").fromHistory, 1);
  ArticleClose(article);
  EXPECT_EQ(ReadFileText(HISTORY_FILE), "ART:x\nART:b.art\n") << "known targets are not written again";
}

TEST_F(ArticleLifecycleTest, HistoryMatchesWholeLinesCaseSensitively) {
  // A fragment of an over-long line is no line; a last line without LF keeps
  // its last character; an empty line names no target.
  WriteFileText(HISTORY_FILE, "\nART:b.ar\nART:c.art\n" + std::string(4095, 'y') + "ART:c.ar\nART:b.art");
  Load("a.art",
       "<#LINK:art:b.art#>l<#ENDL#><#LINK:ART:b.art#>u<#ENDL#><#LINK:ART:c.ar#>c<#ENDL#>"
       "<#LINK:#>e<#ENDL#>\n");
  EXPECT_EQ(Target("").visited, 0);
  EXPECT_EQ(Target("art:b.art").visited, 0);
  EXPECT_EQ(Target("ART:b.art").visited, 1);
  EXPECT_EQ(Target("ART:c.ar").visited, 0);
}

TEST_F(ArticleLifecycleTest, SaveSkipsTakenNumbersAndStripsTags) {
  WriteFileText("fil_0.txt", "");
  WriteFileText("fil_1.txt", "");
  WriteFileText("s.art", "abc<#BOLD#>def\nx<#COLOR:FF\nnext\n\n<#TITLE#>News<#END#>\na<b#>c<#>d#>e\r\n");
  article.fileName = "DATA/arts/s.art";
  int32_t next = 0;
  ArticleSaveAsText(article, next);
  EXPECT_EQ(ReadFileText("fil_2.txt"), "abcdef\nxnext\n\nNews\na<b#>ce\r\n");
  EXPECT_EQ(next, 3);
  ArticleSaveAsText(article, next);
  EXPECT_TRUE(FileExists("fil_3.txt"));
  article.fileName = "DATA/arts/missing.art";  // unreadable: nothing written
  ArticleSaveAsText(article, next);
  EXPECT_FALSE(FileExists("fil_4.txt"));
}
