// The demo issue as the reader finds it in the packed archive: what magtool
// check cannot know. Every article draws page by page with the issue's fonts,
// together they use every tag, the contents, the menu and the search list name
// every one, links stand out and use every kind, every panel is linked and
// keeps its chrome off the article's rows, and the tunes play once for 30 to
// 90 seconds without clipping. A fatal error ends the run with its message.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "engine/font_list.h"
#include "engine/panel_list.h"
#include "magtool/archive_reader.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/image_loader.h"
#include "search/search.h"
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
  const char* name = ResourceOpen(path.c_str());
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(name, bytes)) << path;
  ResourceClose(name);
  return {bytes.begin(), bytes.end()};
}

// Every article packed into the issue, so that a new one is checked too.
std::vector<std::string> Articles() {
  OpenedArchive archive;
  EXPECT_TRUE(OpenArchiveFile("data.rs", archive));
  std::set<std::string> names;
  for (const ResourceEntry& entry : archive.entries) {
    if (std::string(entry.header.name).ends_with(".art")) names.insert(entry.header.name);
  }
  return {names.begin(), names.end()};
}

// The module paths after the count on the first line of the music list.
std::vector<std::string> TunePaths(int* count = nullptr) {
  std::istringstream text(ReadMember("DATA/configs/msx.txt"));
  int listed = 0;
  text >> listed;
  if (count != nullptr) *count = listed;
  std::vector<std::string> paths;
  for (std::string line; std::getline(text, line);) {
    line.erase(line.find_last_not_of(" \r\n\t") + 1);
    if (!line.empty()) paths.push_back(line);
  }
  return paths;
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
    EngineFixedFont.reset();
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

TEST_F(DemoIssue, TheContentsTheMenuAndTheSearchListNameEveryArticle) {
  for (const char* page : {"DATA/arts/index.art", "DATA/arts/mmenu.art"}) {
    const std::string text = ReadMember(page);
    for (const std::string& path : Articles()) {
      if (path == page) continue;
      EXPECT_NE(text.find("ART:" + path), std::string::npos) << page << " lacks " << path;
    }
  }
  std::istringstream list(ReadMember("DATA/configs/search.lst"));
  std::vector<std::string> listed;
  for (std::string line; std::getline(list, line);) listed.push_back(line);
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, Articles());
}

// Links wear one colour through the issue; unvisited, hovered and visited they
// differ from each other and from the plain text beside them. Where the targets
// lead is magtool check's; here, that every kind is used, every panel is
// linked, pictures fit the screen and tunes are listed.
TEST_F(DemoIssue, LinksStandOutUseEveryKindAndReachEveryPanel) {
  const std::vector<std::string> tunes = TunePaths();
  const std::filesystem::path runDir = std::filesystem::path(DEMO_ARCHIVE).parent_path();
  std::set<uint32_t> linkColours;
  std::map<std::string, int> kinds;
  std::set<std::string> panels;
  for (const std::string& path : Articles()) {
    Article article{};
    ArticleLoad(article, path.c_str(), EngineFonts());
    EXPECT_FALSE(article.title.empty()) << path;
    const uint32_t hover = article.activeLinkColour, visited = article.visitedLinkColour;
    EXPECT_NE(hover, visited) << path;
    for (const ArticleLine& line : article.lines) {
      for (const TextSegment& link : line.segments) {
        if (link.isLink == 0) continue;
        linkColours.insert(link.colour);
        for (const TextSegment& other : line.segments) {
          for (uint32_t colour : {hover, visited}) EXPECT_NE(other.colour, colour) << link.text;
          EXPECT_TRUE(other.isLink != 0 || other.colour != link.colour) << link.text;
        }
      }
    }
    for (const LinkEntry& entry : article.linkTargets) {
      const std::string cut = entry.text.substr(0, entry.text.find(":ALT:"));
      const std::string kind = cut.substr(0, 4), argument = cut.size() > 4 ? cut.substr(4) : "";
      SCOPED_TRACE(path + " links " + cut);
      ++kinds[kind];
      if (kind == "PIX:") {
        Picture picture{};
        ImageLoader(argument.c_str(), picture);
        EXPECT_LE(picture.width, 640);
        EXPECT_LE(picture.height, 480);
        PictureFree(picture);
      } else if (kind == "PAN:") {
        panels.insert(argument);
      } else if (kind == "MSX:") {
        const bool listed = std::find(tunes.begin(), tunes.end(), argument) != tunes.end();
        EXPECT_TRUE(listed || argument == "+SILENCE" || argument == "+PLIST");
      } else if (kind == "EXE:") {
        EXPECT_TRUE(std::filesystem::is_regular_file(runDir / argument));
      } else {
        EXPECT_EQ(kind, "ART:");
      }
    }
    ArticleClose(article);
  }
  EXPECT_EQ(linkColours.size(), 1u);
  for (const char* kind : {"ART:", "PIX:", "PAN:", "MSX:", "EXE:"}) EXPECT_GT(kinds[kind], 0) << kind;
  const std::string panelList = ReadMember(PANELS_PATH);
  const long panelCount = std::count(panelList.begin(), panelList.end(), '\n');
  EXPECT_GE(panelCount, 3);
  for (long panel = 0; panel < panelCount; ++panel) {
    EXPECT_TRUE(panels.count(std::to_string(panel))) << "no link to panel " << panel;
  }
}

bool ClearOfArticle(const Panel& panel, int32_t y, int32_t height) {
  const int32_t top = PanelTopHeight(panel);
  return y + height <= top || y >= top + panel.middle.height;
}

TEST_F(DemoIssue, EveryPanelBuildsAndDrawsUnderEveryButton) {
  Picture screen{};
  PictureAlloc(screen, 640, 480);
  PanelArray PanelList;
  const int32_t PanelCount = ParsePanels(PanelList);
  ASSERT_GE(PanelCount, 3);
  for (int i = 0; i < PanelCount; ++i) {
    Panel& panel = *PanelList[i];
    EXPECT_TRUE(panel.hasMask && panel.hasProgressBar && panel.hasTitleBox) << i;
    EXPECT_FALSE(panel.aniChains.empty()) << i;
    EXPECT_TRUE(ClearOfArticle(panel, panel.titleY, panel.titleBox.height)) << i;
    for (const PanelButton& button : panel.buttons) {
      PanelSetMouse(panel, button.x + 2, button.y + 2);
      EXPECT_EQ(PanelHitTest(panel), button.command);
      const Picture& face = button.animated ? button.frames[0] : button.image;
      EXPECT_TRUE(ClearOfArticle(panel, button.y, face.height)) << i;
      PanelDrawChrome(panel, nullptr, screen, 1, 0.5f, 0.0f, 1.0f);
    }
  }
  PanelListDestroy(PanelList);
  PictureFree(screen);
}

using Module = std::unique_ptr<openmpt_module, decltype(&openmpt_module_destroy)>;

std::string Metadata(openmpt_module* module, const char* key) {
  const char* value = openmpt_module_get_metadata(module, key);
  std::string copy = value ? value : "";
  openmpt_free_string(value);
  return copy;
}

// The whole tune played once at 44.1 kHz stereo: its peak and RMS.
std::pair<int, double> Loudness(openmpt_module* module) {
  std::vector<int16_t> block(2 * 4096);
  int peak = 0;
  double sum = 0.0;
  size_t samples = 0;
  while (const size_t frames = openmpt_module_read_interleaved_stereo(module, 44100, 4096, block.data())) {
    for (size_t i = 0; i < 2 * frames; ++i) {
      peak = std::max(peak, std::abs(static_cast<int>(block[i])));
      sum += static_cast<double>(block[i]) * block[i];
    }
    samples += 2 * frames;
  }
  return {peak, samples ? std::sqrt(sum / static_cast<double>(samples)) : 0.0};
}

TEST_F(DemoIssue, EveryListedTunePlaysOnceUnclipped) {
  int count = 0;
  const std::vector<std::string> paths = TunePaths(&count);
  // The TUNE buttons play entries 0 to 3; the opening tune comes after them.
  EXPECT_EQ(paths, (std::vector<std::string>{"DATA/msx/tune1.xm", "DATA/msx/tune2.xm", "DATA/msx/tune3.mod",
                                             "DATA/msx/tune4.s3m", "DATA/msx/beg.xm"}));
  EXPECT_EQ(count, static_cast<int>(paths.size()));
  int busiest = 0;
  std::string busiestPath;
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const std::string bytes = ReadMember(path);
    const Module module(openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
                        openmpt_module_destroy);
    ASSERT_TRUE(module);
    EXPECT_EQ(Metadata(module.get(), "type"), std::filesystem::path(path).extension().string().substr(1));
    const double seconds = openmpt_module_get_duration_seconds(module.get());
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    const int channels = openmpt_module_get_num_channels(module.get());
    EXPECT_GE(channels, 4);
    if (channels > busiest) busiest = channels, busiestPath = path;
    const auto [peak, rms] = Loudness(module.get());
    EXPECT_GT(rms, 500.0);
    EXPECT_LT(peak, 32000);
  }
  // The benchmark renders tune2 as the heaviest load.
  EXPECT_EQ(busiestPath, "DATA/msx/tune2.xm");
}

}  // namespace
