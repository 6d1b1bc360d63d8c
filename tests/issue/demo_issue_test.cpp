// The demo issue as the reader finds it in the packed archive: what magtool
// check cannot know. Every article draws page by page with the issue's fonts,
// together they use every tag, links stand out and use every kind, every panel is linked and
// keeps its chrome off the article's rows. A fatal error ends the run with
// its message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "engine/font_list.h"
#include "engine/panel_list.h"
#include "magtool/archive_reader.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"
#include "pictures/image_loader.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/whole_article.h"

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
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(ResourceFile(path).name(), bytes)) << path;
  return {bytes.begin(), bytes.end()};
}

// Every article packed into the issue, so that a new one is checked too; sorted.
std::vector<std::string> Articles() {
  OpenedArchive archive;
  EXPECT_TRUE(OpenArchiveFile("data.rs", archive));
  std::vector<std::string> names;
  for (const ResourceEntry& entry : archive.entries) {
    if (std::string(entry.header.name).ends_with(".art")) names.push_back(entry.header.name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

class DemoIssue : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
    EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
    EngineFontManager = FontManagerCreate();
    LoadFontList(*EngineFontManager);
  }
  void TearDown() override {
    FontManagerDestroy(EngineFontManager);
    ResourceCloseAll();
  }
  ArticleFonts EngineFonts() const { return {EngineFontManager.get(), EngineFixedFont.get()}; }

  ScratchDir dir_;
  std::unique_ptr<FixedFont> EngineFixedFont;
  std::unique_ptr<FontManager> EngineFontManager;
};

TEST_F(DemoIssue, EveryArticleDrawsEveryPageAndTheyUseEveryTag) {
  std::set<std::string> missing(TAGS.begin(), TAGS.end());
  for (const std::string& path : Articles()) {
    SCOPED_TRACE(path);
    const std::string text = ReadMember(path);
    for (const char* tag : {"<#TITLE#>", "<#AUTHOR#>", "<#KEYWORDS#>"}) {
      EXPECT_NE(text.find(tag), std::string::npos) << tag;
    }
    for (const std::string& tag : TAGS) {
      if (text.find(tag) != std::string::npos) missing.erase(tag);
    }
    ReadWholeArticle(path, 352, EngineFonts());
  }
  EXPECT_TRUE(missing.empty()) << "unused tags: " << ::testing::PrintToString(missing);
}

// Links wear one colour through the issue; unvisited, hovered and visited they
// differ from each other and from the plain text beside them. Where the targets
// lead is magtool check's; here, that every kind is used, every panel is
// linked, pictures fit the screen and programs are there.
TEST_F(DemoIssue, LinksStandOutUseEveryKindAndReachEveryPanel) {
  const std::filesystem::path runDir = std::filesystem::path(DEMO_ARCHIVE).parent_path();
  std::set<uint32_t> linkColours;
  std::set<LinkKind> kinds;
  std::set<std::string> panels;
  for (const std::string& path : Articles()) {
    Article article{};
    ArticleLoad(article, path.c_str(), EngineFonts());
    const uint32_t hover = article.activeLinkColour, visited = article.visitedLinkColour;
    EXPECT_NE(hover, visited) << path;
    for (const ArticleLine& line : article.lines) {
      for (const TextSegment& link : line.segments) {
        if (link.isLink == 0) continue;
        linkColours.insert(link.colour);
        for (const TextSegment& other : line.segments) {
          EXPECT_TRUE(other.colour != hover && other.colour != visited &&
                      (other.isLink != 0 || other.colour != link.colour)) << link.text;
        }
      }
    }
    for (const LinkEntry& entry : article.linkTargets) {
      const std::string& argument = entry.argument;
      SCOPED_TRACE(path + " links " + entry.text);
      kinds.insert(entry.kind);
      if (entry.kind == LinkKind::Panel) panels.insert(argument);
      EXPECT_TRUE(entry.kind != LinkKind::Document ||
                  std::filesystem::is_regular_file(runDir / argument));
      if (entry.kind == LinkKind::Picture) {
        Picture picture{};
        ImageLoader(argument.c_str(), picture);
        EXPECT_TRUE(picture.width <= 640 && picture.height <= 480);
      }
    }
    ArticleClose(article);
  }
  EXPECT_EQ(linkColours.size(), 1u);
  EXPECT_EQ(kinds, (std::set<LinkKind>{LinkKind::Article, LinkKind::Picture, LinkKind::Music,
                                       LinkKind::Panel, LinkKind::Document}));
  const std::string panelList = ReadMember(PANELS_PATH);
  const long panelCount = std::count(panelList.begin(), panelList.end(), '\n');
  for (long panel = 0; panel < panelCount; ++panel) EXPECT_TRUE(panels.count(std::to_string(panel))) << panel;
}

bool ClearOfArticle(const Panel& panel, int32_t y, int32_t height) {
  const int32_t top = PanelTopHeight(panel);
  return y + height <= top || y >= top + panel.middle.height;
}

TEST_F(DemoIssue, EveryPanelKeepsItsChromeOffTheArticle) {
  PanelArray panels;
  const int32_t count = ParsePanels(panels);
  ASSERT_GE(count, 3);
  for (int i = 0; i < count; ++i) {
    Panel& panel = *panels[i];
    EXPECT_TRUE(panel.hasMask && panel.hasProgressBar && panel.hasTitleBox && !panel.aniChains.empty()) << i;
    EXPECT_TRUE(ClearOfArticle(panel, panel.titleY, panel.titleBox.height)) << i;
    for (const PanelButton& button : panel.buttons) {
      const Picture& face = button.animated ? button.frames[0] : button.image;
      EXPECT_TRUE(ClearOfArticle(panel, button.y, face.height)) << i;
    }
  }
  PanelListDestroy(panels);
}

}  // namespace
