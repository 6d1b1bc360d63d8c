// The demo issue's articles as the reader loads them from the packed archive:
// each must parse, lay out and draw page by page with the fonts, and
// together they must use every tag of the markup. A markup error is fatal and
// ends the test run with the reader's message.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "engine/engine.h"
#include "engine/font_list.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/picture.h"
#include "support/scratch_dir.h"

namespace {

const std::vector<std::string> ARTICLES = {
    "DATA/arts/index.art",   "DATA/arts/help.art",    "DATA/arts/mmenu.art",
    "DATA/arts/making.art",  "DATA/arts/tracker.art", "DATA/arts/pixels.art",
    "DATA/arts/type.art",    "DATA/arts/history.art", "DATA/arts/story.art"};

// Every tag of the markup, written as it begins in an article.
const std::vector<std::string> TAGS = {
    "<#TITLE#>",      "<#AUTHOR#>",     "<#KEYWORDS#>",   "<#FACENAME:",   "<#BOLD#>",
    "<#ITALIC#>",     "<#UNDERLINE#>",  "<#NBOLD#>",      "<#NITALIC#>",   "<#NUNDERLINE#>",
    "<#ABREAK_ON1#>", "<#ABREAK_ON2#>", "<#ABREAK_ON#>",  "<#ABREAK_OFF#>", "<#SIZE:",
    "<#COLOR:",       "<#ACLC:",        "<#VISLC:",       "<#AA_OFF",      "<#AA_ON",
    "<#HLINE#>",      "<#GOTO:",        "<#COLUMNS#>",    "<#PICTURE:",    "<#JUSTIFY1#>",
    "<#JUSTIFY2#>",   "<#ENDJ#>",       "<#LINK:",        "<#ENDL#>",      "<#SCROLL:",
    "<#PICLINK:",     "<#FLINE:",       "<#JLIMIT:"};

std::string ReadMember(const std::string& path) {
  const char* name = ResourceOpen(path.c_str());
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(name, bytes)) << path;
  ResourceClose(name);
  return {bytes.begin(), bytes.end()};
}

// The engine's fonts, set up as the reader does at start-up.
void LoadEngineFonts() {
  EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
  EngineFontManager = FontManagerCreate();
  LoadFontList(*EngineFontManager);
}

class DemoArticles : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
    LoadEngineFonts();
  }
  void TearDown() override {
    EngineFixedFont.reset();
    if (EngineFontManager) FontManagerDestroy(EngineFontManager);
    ResourceCloseAll();
  }
  ScratchDir dir_;
};

TEST_F(DemoArticles, EveryArticleLoadsAndDrawsEveryPage) {
  Picture view{};
  PictureAlloc(view, 640, 352);
  for (const std::string& path : ARTICLES) {
    SCOPED_TRACE(path);
    Article article{};
    ArticleLoad(article, path.c_str());
    EXPECT_FALSE(article.title.empty());
    EXPECT_GE(article.lines.size(), 2u);  // the sentinel and at least one line
    ArticleSetView(article, view);
    ArticleHome(article);
    int pages = 0;
    for (;;) {
      ArticleDraw(article, 0, 1, 1, 1);
      ArticleAnimatePictures(article);
      ++pages;
      ArticleScroll before = ArticleGetScroll(article);
      ArticlePageForward(article);
      ArticleScroll after = ArticleGetScroll(article);
      if (after.scrollY == before.scrollY && after.rightScrollY == before.rightScrollY) break;
      ASSERT_LT(pages, 100);
    }
    EXPECT_GE(pages, 1);
    ArticleClose(article);
  }
  PictureFree(view);
}

TEST_F(DemoArticles, TogetherTheyUseEveryTag) {
  std::set<std::string> missing(TAGS.begin(), TAGS.end());
  for (const std::string& path : ARTICLES) {
    const std::string text = ReadMember(path);
    EXPECT_NE(text.find("<#TITLE#>"), std::string::npos) << path;
    EXPECT_NE(text.find("<#AUTHOR#>"), std::string::npos) << path;
    EXPECT_NE(text.find("<#KEYWORDS#>"), std::string::npos) << path;
    for (const std::string& tag : TAGS) {
      if (text.find(tag) != std::string::npos) missing.erase(tag);
    }
  }
  std::string list;
  for (const std::string& tag : missing) list += tag + " ";
  EXPECT_TRUE(missing.empty()) << "unused tags: " << list;
}

TEST_F(DemoArticles, TheContentsAndTheMenuLinkEveryArticle) {
  for (const char* page : {"DATA/arts/index.art", "DATA/arts/mmenu.art"}) {
    const std::string text = ReadMember(page);
    for (const std::string& path : ARTICLES) {
      if (path == page) continue;
      EXPECT_NE(text.find("ART:" + path), std::string::npos) << page << " lacks " << path;
    }
  }
}

}  // namespace
