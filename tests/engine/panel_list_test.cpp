#include "engine/panel_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <tuple>

#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

namespace {

// picture, top, middle end, textX, bar: flag, picture, x, y; title box: flag, x, y, w, h;
// buttons: flag, mask, count, 2 x (name, x, y, mask index, command); chains: flag, count, name
const std::vector<std::string> kFull = {
    "panel.png", "0", "0", "0x10", "1", "b.png", "3", "4", "1", "010", " 12 px", "20", "10",
    "1", "mask.gif", "2", "b.png", "1", "2", "5", "101", "b.png", "3", "4", "6", "102",
    "1", "1", "chain.txt"};
constexpr size_t kButtonCountLine = 15;

std::string Join(const std::vector<std::string>& lines, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += lines[i] + "\n";
  return text;
}

class PanelListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes("data.rs", {});
    WritePng("panel.png", 8, 6, std::vector<uint32_t>(48, 0x336699));
    WritePng("b.png", 2, 2, std::vector<uint32_t>(4, 0x00FF00));
    WriteGif("mask.gif", GifImage{8, 6, std::vector<uint8_t>(48, 5), std::vector<uint8_t>(768)});
    WriteFileText("chain.txt", "1 100 0 0\nb.png\n");
  }
  void TearDown() override {
    PanelListDestroy(PanelList);
    ResourceCloseAll();
  }

  std::string Parse(const std::string& panelFile, int times = 1) {
    WriteFileText("p.txt", panelFile);
    std::string list;
    for (int i = 0; i < times; ++i) list += "p.txt\n";
    WriteFileText("panels.txt", list);
    return FatalMessageOf([&] { ParsePanels(PanelList); });
  }

  // The panels built so far, by a parse that failed too.
  int32_t Built() const {
    return static_cast<int32_t>(std::count_if(PanelList.begin(), PanelList.end(),
                                              [](const auto& p) { return p != nullptr; }));
  }

  std::string ParseWithLine(size_t at, const std::string& line) {
    std::vector<std::string> lines = kFull;
    lines[at] = line;
    return Parse(Join(lines, lines.size()));
  }

  ScratchDir dir;
  PanelArray PanelList;
};

}  // namespace

TEST_F(PanelListTest, BuildsEveryPartInFileOrder) {
  std::string text = Join(kFull, kFull.size());
  text.pop_back();  // the last line needs no line feed
  ASSERT_EQ(Parse(text), "");
  const Panel& p = *PanelList[0];
  EXPECT_EQ(std::tie(p.textX, p.barX, p.barY, p.titleX, p.titleY), std::tuple(16, 3, 4, 8, 12));
  EXPECT_EQ(std::tie(p.titleBox.width, p.titleBox.height, p.hasMask), std::tuple(20, 10, 1));
  ASSERT_EQ(p.buttons.size(), 2u);
  EXPECT_EQ(p.buttons[0].command, 102);  // newest first
  EXPECT_EQ(p.aniChains.size(), 1u);
}

TEST_F(PanelListTest, AbsentPartsTakeNoLines) {
  // bar flag 0 goes straight to the title box; no button flag means no mask
  ASSERT_EQ(Parse("panel.png\n0\n0\n5\n0\n1\n1\n2\n3\n4\n0\n0\nextra\nlines\n"), "");
  EXPECT_EQ(std::tie(PanelList[0]->hasProgressBar, PanelList[0]->titleX), std::tuple(0, 1));
  EXPECT_EQ(PanelList[0]->hasMask, 0);
  // counts of zero or less add nothing and consume no lines
  ASSERT_EQ(Parse("panel.png\n0\n0\n0\n0\n0\n1\nmask.gif\n-3\n1\n0\n"), "");
  EXPECT_EQ(PanelList[0]->hasMask, 1);
  EXPECT_TRUE(PanelList[0]->buttons.empty() && PanelList[0]->aniChains.empty());
}

TEST_F(PanelListTest, EveryMissingLineIsAParseError) {
  for (size_t count = 0; count < kFull.size(); ++count) {
    EXPECT_EQ(Parse(Join(kFull, count)), "Parse error !") << count << " lines";
  }
  // two buttons follow, so the count must not size anything
  for (const char* count : {"1000000", "2147483647", "two"}) {
    EXPECT_EQ(ParseWithLine(kButtonCountLine, count), "Parse error !") << count;
  }
}

TEST_F(PanelListTest, TopStripAndMiddleAreaFitTheScreen) {
  WritePng("tall.png", 8, 600, std::vector<uint32_t>(8 * 600, 0x336699));
  const char* tooTall = "Top strip and middle area are taller than the screen !";
  for (auto [heights, message] : {std::pair{"0\n0\n", tooTall}, {"100\n481\n", tooTall},
                                  {"100\n480\n", ""}, {"0\n479\n", ""}}) {
    const std::string file = std::string("tall.png\n") + heights + "0\n0\n0\n0\n0\n";
    EXPECT_EQ(Parse(file), message) << heights;
  }
}

TEST_F(PanelListTest, ListNamesOneToSevenPanelFilesThatOpen) {
  const std::string minimal = "panel.png\n0\n0\n0\n0\n0\n0\n0\n";
  ASSERT_EQ(Parse(minimal, 7), "");
  EXPECT_EQ(Built(), 7);
  EXPECT_NE(PanelList[0].get(), PanelList[6].get());
  EXPECT_EQ(Parse(minimal, 8), "MAX panels limit !");
  EXPECT_EQ(Built(), 8);  // the eighth was built first
  EXPECT_EQ(Parse(minimal, 0), "Need at least one panel !");
  WriteFileText("panels.txt", "p.txt\n\n");
  EXPECT_EQ(FatalMessageOf([&] { ParsePanels(PanelList); }), "Cannot open panel file !");
  EXPECT_EQ(Built(), 1);
  std::remove("panels.txt");
  EXPECT_EQ(FatalMessageOf([&] { ParsePanels(PanelList); }),
            "Cannot open configs/panels.txt file !");
  PanelListDestroy(PanelList);
  EXPECT_EQ(Built(), 0);
}

