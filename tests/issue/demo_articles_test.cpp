// The demo issue's articles as the reader loads them from the packed archive:
// each must parse, lay out and draw page by page with the fonts,
// together they must use every tag of the markup, and every link must lead
// somewhere real. A markup error is fatal and ends the test run with the
// reader's message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "engine/engine.h"
#include "engine/font_list.h"
#include "engine/panel_engine.h"
#include "magtool/archive_reader.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/image_loader.h"
#include "resources/picture.h"
#include "support/fatal_catch.h"
#include "search/search.h"
#include "support/scratch_dir.h"

namespace {

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

std::set<std::string> ArchiveMembers() {
  OpenedArchive archive;
  EXPECT_TRUE(OpenArchiveFile("data.rs", archive));
  std::set<std::string> names;
  for (const ResourceEntry& entry : archive.entries) names.insert(entry.header.name);
  return names;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every article packed into the issue, so that a new one is checked too.
std::vector<std::string> Articles() {
  std::vector<std::string> articles;
  for (const std::string& name : ArchiveMembers()) {
    if (EndsWith(name, ".art")) articles.push_back(name);
  }
  return articles;
}

struct Link {
  std::string kind;      // "ART:", "PAN:", ...
  std::string argument;  // without the ":ALT:" text
};

// The targets of the article's text and picture links, as the reader keeps them.
std::vector<Link> LinksOf(const std::string& path) {
  Article article{};
  ArticleLoad(article, path.c_str(), EngineFonts());
  std::vector<Link> links;
  for (const LinkEntry& entry : article.linkTargets) {
    const std::string cut = entry.text.substr(0, entry.text.find(":ALT:"));
    links.push_back({cut.substr(0, 4), cut.size() > 4 ? cut.substr(4) : ""});
  }
  ArticleClose(article);
  return links;
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
  for (const std::string& path : Articles()) {
    SCOPED_TRACE(path);
    Article article{};
    ArticleLoad(article, path.c_str(), EngineFonts());
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

// Links wear one colour through the issue; unvisited, hovered and visited they
// differ from each other and from the plain text beside them.
TEST_F(DemoArticles, TextLinksStandOutInEveryState) {
  std::set<uint32_t> linkColours;
  for (const std::string& path : Articles()) {
    SCOPED_TRACE(path);
    Article article{};
    ArticleLoad(article, path.c_str(), EngineFonts());
    const uint32_t hover = article.activeLinkColour, visited = article.visitedLinkColour;
    for (const ArticleLine& line : article.lines) {
      for (const TextSegment& link : line.segments) {
        if (link.isLink == 0) continue;
        linkColours.insert(link.colour);
        EXPECT_NE(hover, link.colour);
        EXPECT_NE(visited, link.colour);
        EXPECT_NE(hover, visited);
        for (const TextSegment& plain : line.segments) {
          if (plain.isLink != 0) continue;
          EXPECT_NE(plain.colour, link.colour) << link.text;
          EXPECT_NE(plain.colour, hover) << link.text;
          EXPECT_NE(plain.colour, visited) << link.text;
        }
      }
    }
    ArticleClose(article);
  }
  EXPECT_EQ(linkColours.size(), 1u);
}

TEST_F(DemoArticles, TogetherTheyUseEveryTag) {
  std::set<std::string> missing(TAGS.begin(), TAGS.end());
  for (const std::string& path : Articles()) {
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
    for (const std::string& path : Articles()) {
      if (path == page) continue;
      EXPECT_NE(text.find("ART:" + path), std::string::npos) << page << " lacks " << path;
    }
  }
}

// The search box indexes every article, in the list the reader loads.
TEST_F(DemoArticles, TheSearchListNamesEveryArticle) {
  const std::string list = ReadMember("DATA/configs/search.lst");
  std::vector<std::string> listed;
  for (size_t at = 0, end; at < list.size(); at = end + 1) {
    end = std::min(list.find('\n', at), list.size());
    listed.push_back(list.substr(at, end - at));
  }
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, Articles());
  EXPECT_EQ(FatalMessageOf(SearchInit), "");
  SearchFree();
}

TEST_F(DemoArticles, EveryArticleIsReachableFromTheContentsOrAButton) {
  const std::set<std::string> members = ArchiveMembers();
  std::set<std::string> reached = {FIRST_ARTICLE, HELP_ARTICLE, MENU_ARTICLE};
  std::vector<std::string> pending(reached.begin(), reached.end());
  while (!pending.empty()) {
    const std::string path = pending.back();
    pending.pop_back();
    for (const Link& link : LinksOf(path)) {
      // A missing target is reported by EveryLinkLeadsSomewhereReal.
      if (link.kind == "ART:" && members.count(link.argument) &&
          reached.insert(link.argument).second) {
        pending.push_back(link.argument);
      }
    }
  }
  for (const std::string& path : Articles()) EXPECT_TRUE(reached.count(path)) << path;
}

TEST_F(DemoArticles, EveryLinkLeadsSomewhereReal) {
  const std::set<std::string> members = ArchiveMembers();
  const std::filesystem::path runDir = std::filesystem::path(DEMO_ARCHIVE).parent_path();
  const std::string panelList = ReadMember("DATA/configs/panels.txt");
  const long panelCount = std::count(panelList.begin(), panelList.end(), '\n');
  std::map<std::string, int> kinds;
  std::set<long> panels;
  for (const std::string& path : Articles()) {
    for (const Link& link : LinksOf(path)) {
      SCOPED_TRACE(path + " links " + link.kind + link.argument);
      ++kinds[link.kind];
      if (link.kind == "ART:") {
        EXPECT_TRUE(members.count(link.argument));  // the reachability test loads it
      } else if (link.kind == "PIX:") {
        EXPECT_TRUE(members.count(link.argument));
        Picture picture{};
        EXPECT_EQ(FatalMessageOf([&] { ImageLoader(link.argument.c_str(), picture); }), "");
        EXPECT_LE(picture.width, 640);
        EXPECT_LE(picture.height, 480);
        PictureFree(picture);
      } else if (link.kind == "PAN:") {
        char* end = nullptr;
        const long panel = std::strtol(link.argument.c_str(), &end, 10);
        EXPECT_TRUE(!link.argument.empty() && *end == '\0');
        panels.insert(panel);
      } else if (link.kind == "MSX:") {
        const std::string& tune = link.argument;
        const bool module =
            tune.rfind("DATA/msx/", 0) == 0 &&
            (EndsWith(tune, ".xm") || EndsWith(tune, ".mod") || EndsWith(tune, ".s3m"));
        EXPECT_TRUE(module || tune == "+SILENCE" || tune == "+PLIST");
      } else if (link.kind == "EXE:") {
        EXPECT_TRUE(std::filesystem::is_regular_file(runDir / link.argument));
      } else {
        ADD_FAILURE() << "a link of no known kind";
      }
    }
  }
  for (const char* kind : {"ART:", "PIX:", "PAN:", "MSX:", "EXE:"}) {
    EXPECT_GT(kinds[kind], 0) << kind;
  }
  EXPECT_GE(panelCount, 3);
  for (long panel = 0; panel < panelCount; ++panel) {
    EXPECT_TRUE(panels.count(panel)) << "no link to panel " << panel;
  }
}

}  // namespace
