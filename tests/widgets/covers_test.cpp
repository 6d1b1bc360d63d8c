#include "engine/covers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
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

uint32_t Pixel(const Reader& reader, int32_t x, int32_t y) {
  return reader.BackBuffer.pixels[y * SCREEN_WIDTH + x];
}

class CoversTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteStartupFiles();
    SetupDefaults(reader.Setup);
    reader.Setup.FullScreen = 0;
    reader.Setup.UseMsxPlayer = 1;
    reader.Setup.StartingTune = 0;
    Plays().clear();
    MsxUseBackend(&RECORDER);
    SetEngineClock(TestClock);
    StartEngine(reader);
  }
  void TearDown() override {
    StopEngine(reader);
    MsxUseBackend(nullptr);
    SetEngineClock(nullptr);
  }

  // One frame with the clock standing at `at`, or moving on by step a read so
  // that a dissolve inside the frame comes to its end.
  void Frame(uint32_t at, uint32_t step = 0) {
    clockNow = at;
    clockStep = step;
    EngineCommand(reader, ENGINE_FRAME);
  }
  ScratchDir dir;
  std::unique_ptr<Reader> readerRecord = std::make_unique<Reader>();
  Reader& reader = *readerRecord;
};

TEST_F(CoversTest, OpeningCoverPlaysItsTuneOnceAndGivesWayAfterSevenSeconds) {
  Frame(1000);
  EXPECT_TRUE(Plays().empty());
  Frame(1020);
  EXPECT_EQ(Plays(), std::vector<std::string>{COVER_TUNE});
  Frame(8000);
  EXPECT_EQ(OpeningCoverDone(reader.OpeningCover), 0);

  std::fill_n(reader.BackBuffer.pixels, SCREEN_WIDTH * SCREEN_HEIGHT, 0u);
  Frame(8001);
  EXPECT_EQ(OpeningCoverDone(reader.OpeningCover), 1);
  EXPECT_EQ(Pixel(reader, 639, 479), STARTUP_OPENING_COLOUR);
  EXPECT_EQ(reader.OpeningCover.Loaded, 0);
  EXPECT_EQ(Plays(), (std::vector<std::string>{COVER_TUNE, "DATA/msx/tune.mod"}));

  Frame(8100, 10);
  EXPECT_EQ(reader.PanelEngine.PanelSwitchPending, 0);
  EXPECT_EQ(Pixel(reader, 639, 479), STARTUP_PANEL_COLOUR);
  EXPECT_EQ(Plays().size(), 2u);
}

TEST_F(CoversTest, AStartArticleSkipsTheCoverButNotItsTune) {
  StopEngine(reader);
  Plays().clear();
  reader.StartArticle = "DATA/arts/index.art";
  StartEngine(reader);
  EXPECT_EQ(OpeningCoverDone(reader.OpeningCover), 1);
  EXPECT_EQ(Plays(), std::vector<std::string>{COVER_TUNE});
}

TEST_F(CoversTest, CoverOfAnotherSizeIsRefused) {
  ASSERT_TRUE(WritePng("CoverBeg.png", 640, 400, std::vector<uint32_t>(640 * 400, 1)));
  EXPECT_EQ(FatalMessageOf([&] { OpeningCoverFrame(reader.OpeningCover, reader.BackBuffer); }),
            "Wrong cover sizes !");
}

}  // namespace
