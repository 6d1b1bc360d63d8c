#include "engine/covers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/panel_engine.h"
#include "engine/video.h"
#include "generators/png_writer.h"
#include "music/msx_backend.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/startup_files.h"

namespace {

std::vector<std::string>& Plays() {
  static std::vector<std::string> plays;
  return plays;
}

constexpr MsxBackend RECORDER = {
    [](int32_t) {},
    [](const char* name) { Plays().emplace_back(name); },
    [] {},
    [] {},
    [] { return 0; },
    [] {},
};

uint32_t clockNow = 0;
uint32_t clockStep = 0;
uint32_t TestClock() { return clockNow += clockStep; }

constexpr int32_t SCROLL_ROWS = 960;
constexpr uint32_t RowColour(int32_t row) { return 0x100000u + static_cast<uint32_t>(row); }

// Each channel halved and truncated, as a blend at alpha 0.5 works it.
constexpr uint32_t HalfBlend(uint32_t a, uint32_t b) {
  return (a >> 1 & 0x7F7F7F) + (b >> 1 & 0x7F7F7F);
}

uint32_t Pixel(int32_t x, int32_t y) { return BackBuffer.pixels[y * SCREEN_WIDTH + x]; }

class CoversTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteStartupFiles();
    SetupDefaults(::Setup);
    ::Setup.FullScreen = 0;
    ::Setup.UseMsxPlayer = 1;
    ::Setup.StartingTune = 0;
    Plays().clear();
    MsxUseBackend(&RECORDER);
    SetEngineClock(TestClock);
    StartEngine();
  }
  void TearDown() override {
    StopEngine();
    MsxUseBackend(nullptr);
    SetEngineClock(nullptr);
  }

  // One frame with the clock standing at `at`, or moving on by step a read so
  // that a dissolve inside the frame comes to its end.
  static void Frame(uint32_t at, uint32_t step = 0) {
    clockNow = at;
    clockStep = step;
    EngineCommand(ENGINE_FRAME);
  }
  // The panel on screen, then the closing started at `at`.
  static void StartClosingAt(uint32_t at) {
    SkipOpeningCover();
    Frame(at - 100, 10);
    StartClosing();
    Frame(at);
  }

  ScratchDir dir;
};

TEST_F(CoversTest, OpeningCoverPlaysItsTuneOnceAndGivesWayAfterSevenSeconds) {
  Frame(1000);
  EXPECT_TRUE(Plays().empty());
  Frame(1020);
  EXPECT_EQ(Plays(), std::vector<std::string>{COVER_TUNE});
  Frame(8000);
  EXPECT_EQ(OpeningCoverDone(), 0);

  std::fill_n(BackBuffer.pixels, SCREEN_WIDTH * SCREEN_HEIGHT, 0u);
  Frame(8001);
  EXPECT_EQ(OpeningCoverDone(), 1);
  EXPECT_EQ(Pixel(639, 479), STARTUP_OPENING_COLOUR);
  EXPECT_EQ(OpeningCover.Loaded, 0);
  EXPECT_EQ(Plays(), (std::vector<std::string>{COVER_TUNE, "DATA/msx/tune.mod"}));

  Frame(8100, 10);
  EXPECT_EQ(PanelEngine.PanelSwitchPending, 0);
  EXPECT_EQ(Pixel(639, 479), STARTUP_PANEL_COLOUR);
  EXPECT_EQ(Plays().size(), 2u);
}

// Frames at 0, 250, 500 and 750 ms: the fade stands at half way whatever the
// frames before it drew.
TEST_F(CoversTest, ClosingCoverFadesInOverTheLastScreen) {
  StartClosingAt(10000);
  EXPECT_EQ(Pixel(639, 479), STARTUP_PANEL_COLOUR);
  for (uint32_t at : {10250u, 10500u, 10750u}) Frame(at);
  EXPECT_EQ(Pixel(639, 479), HalfBlend(STARTUP_CLOSING_COLOUR, STARTUP_PANEL_COLOUR));
  Frame(11500);
  EXPECT_EQ(Pixel(639, 479), STARTUP_CLOSING_COLOUR);
  EXPECT_EQ(KeyQuit(), 0);
}

TEST_F(CoversTest, CreditsScrollUpAtTheirColumnAndTheQuitComesAtThirteenAndAHalfSeconds) {
  std::vector<uint32_t> rows(270 * SCROLL_ROWS);
  for (int32_t row = 0; row < SCROLL_ROWS; ++row) {
    std::fill_n(&rows[row * 270], 270, RowColour(row));
  }
  ASSERT_TRUE(WritePng("EndScroll.png", 270, SCROLL_ROWS, rows));
  StartClosingAt(10000);

  Frame(11500);  // the scroll at y 480: below the screen
  EXPECT_EQ(Pixel(362, 479), STARTUP_CLOSING_COLOUR);
  Frame(14500);  // y 120
  EXPECT_EQ(Pixel(362, 119), STARTUP_CLOSING_COLOUR);
  EXPECT_EQ(Pixel(361, 120), STARTUP_CLOSING_COLOUR);
  EXPECT_EQ(Pixel(362, 120), RowColour(0));
  Frame(17500);  // y -239
  EXPECT_EQ(Pixel(362, 0), RowColour(239));
  EXPECT_EQ(Pixel(631, 479), RowColour(239 + 479));
  EXPECT_EQ(Pixel(632, 479), STARTUP_CLOSING_COLOUR);

  Frame(23499);
  EXPECT_EQ(KeyQuit(), 0);
  for (uint32_t at : {23500u, 23600u}) {
    Frame(at);
    EXPECT_EQ(KeyQuit(), 1) << at;
  }
}

TEST_F(CoversTest, CoversOfAnotherSizeAreRefused) {
  ASSERT_TRUE(WritePng("CoverBeg.png", 640, 400, std::vector<uint32_t>(640 * 400, 1)));
  EXPECT_EQ(FatalMessageOf([] { OpeningCoverFrame(BackBuffer); }), "Wrong cover sizes !");
  ASSERT_TRUE(WritePng("CoverEnd.png", 320, 480, std::vector<uint32_t>(320 * 480, 1)));
  StartClosing();
  EXPECT_EQ(FatalMessageOf([] { ClosingFrame(BackBuffer); }), "Wrong cover sizes !");
}

}  // namespace
