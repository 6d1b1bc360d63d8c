#include "widgets/panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/clock.h"
#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

namespace {

constexpr int W = 64, H = 48;
uint32_t testNow = 0;
uint32_t TestClock() { return testNow; }
uint32_t Frame(int i) { return 0xF00u + i; }

// Writes prefixN.png in Frame(N); their list has lines ended by CR LF or cut by a TAB.
std::string Frames(const std::string& prefix, int count) {
  std::string list;
  for (int i = 0; i < count; ++i) {
    WritePng(prefix + std::to_string(i) + ".png", 4, 4, std::vector<uint32_t>(16, Frame(i)));
    list += "DATA/" + prefix + std::to_string(i) + ".png" + (i % 2 ? "\r\n" : "\tnote\n");
  }
  return list;
}

// Index 1 on the left half, 2 on the right.
void WriteMask(const std::string& path, int width) {
  GifImage gif{width, H, std::vector<uint8_t>(width * H, 1), std::vector<uint8_t>(768)};
  for (int i = 0; i < width * H; ++i) gif.indices[i] += i % width >= width / 2;
  WriteGif(path, gif);
}

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes("data.rs", {});
    std::vector<uint32_t> rows(W * H);
    for (int i = 0; i < W * H; ++i) rows[i] = 0x100 + i / W;  // a colour per row
    WritePng("panel.png", W, H, rows);
    WriteMask("mask.gif", W);
    testNow = 1000;
    SetEngineClock(TestClock);
  }
  void TearDown() override {
    SetEngineClock(nullptr);
    ResourceCloseAll();
  }
  void Create(const char* mask) { PanelCreate(panel, "DATA/panel.png", 0, 0, mask); }

  // The chrome drawn at now onto a cleared screen, read at (x, y).
  uint32_t DrawAt(uint32_t now, int x, int y) {
    testNow = now;
    PictureAlloc(screen, W, H);
    PanelDrawChrome(panel, nullptr, screen, 0, 0, 0, 0);
    return screen.pixels[y * W + x];
  }

  ScratchDir dir;
  Panel panel{};
  Picture screen{};
};

}  // namespace

TEST_F(PanelTest, StripsReassembleThePicture) {
  for (auto [top, end] : {std::pair{0, 0}, {0, 30}, {10, 40}}) {
    PanelCreate(panel, "DATA/panel.png", top, end, nullptr);
    EXPECT_EQ(panel.middle.height, (end ? end : H) - top);
    DrawAt(1000, 0, 0);
    PanelDrawArticle(panel, nullptr, 0, screen);
    for (int y = 0; y < H; ++y) ASSERT_EQ(screen.pixels[y * W + 5], 0x100u + y) << top << end;
    EXPECT_EQ(panel.oldPage.pixels[W], 0x101u + top);
    std::fill_n(panel.newPage.pixels, W, 0u);
    PanelRenderPage(panel, nullptr, 1, 0);
    EXPECT_EQ(panel.newPage.pixels[0], 0x100u + top);
  }
}

TEST_F(PanelTest, BadHeightsAndMasksAreFatal) {
  for (auto heights : {std::pair{40, 40}, {10, H}, {0, H}, {10, 60}, {30, 20}, {10, -5}}) {
    EXPECT_EQ(FatalMessageOf([&] {
                PanelCreate(panel, "DATA/panel.png", heights.first, heights.second, nullptr);
              }),
              "Internal error !")
        << heights.first << "," << heights.second;
  }
  WriteMask("narrow.gif", W - 1);
  EXPECT_EQ(FatalMessageOf([&] { Create("DATA/narrow.gif"); }), "Buttonmask have wrong size !");
  WriteFileText("bad.gif", "GIF89a");
  EXPECT_EQ(FatalMessageOf([&] { Create("DATA/bad.gif"); }), "Pix loader error ![GIF]");
}

TEST_F(PanelTest, HitTestAndHighlightFollowTheMask) {
  Create("DATA/mask.gif");
  Frames("s", 2);
  PanelAddButton(panel, "DATA/s0.png", 0, 0, 1, 11);
  PanelAddButton(panel, "DATA/s1.png", 8, 0, 1, 12);
  PanelAddButton(panel, "DATA/s0.png", 16, 0, 0, 13);
  PanelSetMouse(panel, 5, 5);
  EXPECT_EQ(PanelHitTest(panel), 12);  // the one defined last
  EXPECT_EQ(DrawAt(1000, 0, 0) + screen.pixels[8] + screen.pixels[16], Frame(0) + Frame(1));
  PanelSetMouse(panel, 40, 5);
  EXPECT_EQ(PanelHitTest(panel), 0);  // index 2 has no button
  PanelSetMouse(panel, W, 5);
  EXPECT_EQ(PanelHitTest(panel), 0);
  EXPECT_EQ(DrawAt(1000, 16, 0) + screen.pixels[0], Frame(0));  // outside reads as index 0
}

TEST_F(PanelTest, AniChainFrameFollowsThePanelsAge) {
  WriteFileText("chain.txt", "4 100 2 3\n" + Frames("c", 4));
  for (uint32_t built : {1000u, 0xFFFFFF00u}) {  // and across the clock's wrap
    testNow = built;
    Create(nullptr);
    PanelAddAniChain(panel, "DATA/chain.txt");
    EXPECT_EQ(DrawAt(built + 250, 2, 3), Frame(2));
    EXPECT_EQ(DrawAt(built + 400, 2, 3), Frame(0));
  }
  WriteFileText("held.txt", "2 -100 8 8\n" + Frames("c", 2));  // unsigned, a delay of weeks
  PanelAddAniChain(panel, "DATA/held.txt");
  EXPECT_EQ(DrawAt(0xFFFFFF00u + 100000, 8, 8), Frame(0));
}

TEST_F(PanelTest, AnimatedButtonPlaysForwardThenBackAt120Ms) {
  WriteFileText("b.ANI", Frames("f", 5));
  Create("DATA/mask.gif");
  PanelAddButton(panel, "DATA/b.ANI", 0, 0, 1, 7);
  PanelSetMouse(panel, 40, 5);
  EXPECT_EQ(DrawAt(1000, 0, 0), Frame(0));  // a fresh panel shows frame 0 for a step
  EXPECT_EQ(DrawAt(1120, 0, 0), Frame(0));
  EXPECT_EQ(DrawAt(1121, 0, 0), 0u);
  PanelSetMouse(panel, 5, 5);
  EXPECT_EQ(DrawAt(2000, 0, 0), Frame(0));
  EXPECT_EQ(DrawAt(3000, 0, 0), Frame(4));
  PanelSetMouse(panel, 40, 5);
  // Every 7 ms, which does not divide 120: the steps must not drift.
  std::vector<std::pair<uint32_t, uint32_t>> changes;  // colour, first time shown
  for (uint32_t now = 3010; now <= 3700; now += 7) {
    const uint32_t shown = DrawAt(now, 0, 0);
    if (changes.empty() || changes.back().first != shown) changes.emplace_back(shown, now);
  }
  EXPECT_EQ(changes, (std::vector<std::pair<uint32_t, uint32_t>>{
                         {Frame(4), 3010}, {Frame(3), 3143}, {Frame(2), 3262},
                         {Frame(1), 3381}, {Frame(0), 3500}, {0u, 3619}}));
}

TEST_F(PanelTest, BadAnimationFilesAreRefused) {
  const std::string frames = Frames("f", 2);
  auto button = [&](const char* path, const std::string& text) {
    WriteFileText(path, text);
    return FatalMessageOf([&] { PanelAddButton(panel, path, 0, 0, 1, 1); });
  };
  EXPECT_EQ(button(".ani", frames), "Filetype unsupported by ImageLoader !");  // a picture
  EXPECT_EQ(button("empty.ani", ""), "Internal error !");
  auto chain = [&](const std::string& text) {
    WriteFileText("chain.txt", text);
    return FatalMessageOf([&] { PanelAddAniChain(panel, "chain.txt"); });
  };
  EXPECT_EQ(chain(""), "Internal error !");
  for (const char* header : {"", "2 100 0\n", "0 100 0 0\n", "2 0 0 0\n",
                             "2 99999999999 0 0\n", "2147483647 100 0 0\n", "3 100 0 0\n"}) {
    EXPECT_EQ(chain(header + frames), "Internal error !") << header;
  }
  EXPECT_EQ(FatalMessageOf([&] { PanelAddButton(panel, "no.ani", 0, 0, 1, 1); }),
            "Cannot open button animation file !");
  EXPECT_EQ(FatalMessageOf([&] { PanelAddAniChain(panel, "no.txt"); }),
            "Cannot open AniChain file !");
}
