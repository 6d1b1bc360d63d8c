#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/setup_config.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

namespace {

using Calls = std::vector<std::string>;

// What the recording player was asked, in order.
struct Recording {
  Calls calls;
  int32_t finished = 0;
};

Recording& Recorded() {
  static Recording recording;
  return recording;
}

void Note(const std::string& call) { Recorded().calls.push_back(call); }

constexpr MsxBackend RECORDER = {
    [](int32_t quality) { Note("init " + std::to_string(quality)); },
    [](const char* name) { Note(std::string("play ") + name); },
    [] { Note("stop"); },
    [] { Note("resume"); },
    [] { return Recorded().finished; },
    [] { Note("shutdown"); },
};

constexpr const char* THREE = "3\nDATA/msx/a.xm\nb.mod\nc.s3m\n";

class MsxFrontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setup.UseMsxPlayer = 1;
    setup.MsxQuality = 2;
    setup.StartingTune = 0;
    Recorded() = Recording{};
    WriteFileBytes("data.rs", {});
    MsxUseBackend(&RECORDER);
  }
  void TearDown() override {
    MsxShutdown();
    MsxUseBackend(nullptr);
    ResourceCloseAll();
  }

  static void WriteList(const std::string& text) {
    WriteFileText("msx.txt", text);
  }
  // A session over the list, with the calls up to now forgotten.
  void Start(const std::string& text, int32_t startingTune = 0) {
    WriteList(text);
    setup.StartingTune = startingTune;
    MsxShutdown();
    MsxInit(setup);
    Recorded().calls.clear();
  }
  static Calls Taken() {
    Calls calls = std::move(Recorded().calls);
    Recorded().calls.clear();
    return calls;
  }

  ScratchDir dir;
  SetupConfig setup{};  // the settings MsxInit is given
};

}  // namespace

TEST_F(MsxFrontTest, InitReadsTheListCutAtTabOrCrAndPlaysNothing) {
  WriteList("3\nDATA/msx/a.xm\tfirst\r\nb.mod\r\nc.s3m\nignored\n");
  MsxInit(setup);
  EXPECT_EQ(Taken(), Calls{"init 2"});
  MsxPlayIndex(0);
  MsxNext();
  MsxNext();
  EXPECT_EQ(Taken(), (Calls{"play DATA/msx/a.xm", "play b.mod", "play c.s3m"}));
}

TEST_F(MsxFrontTest, SteppingWrapsAtBothEnds) {
  Start(THREE, 2);
  MsxNext();
  EXPECT_EQ(Taken(), Calls{"play DATA/msx/a.xm"});
  Start(THREE, 0);
  MsxPrev();
  EXPECT_EQ(Taken(), Calls{"play c.s3m"});
  MsxPlayIndex(-4);
  MsxPlayIndex(5);
  EXPECT_EQ(Taken(), (Calls{"play b.mod", "play c.s3m"}));
}

TEST_F(MsxFrontTest, StartingTuneOutsideTheListIsReducedAtTheFirstStep) {
  Start(THREE, 7);
  MsxNext();
  EXPECT_EQ(Taken(), Calls{"play DATA/msx/a.xm"});
  Start(THREE, 7);
  MsxPrev();
  EXPECT_EQ(Taken(), Calls{"play DATA/msx/a.xm"});
  MsxPlayIndex(7);
  EXPECT_EQ(Taken(), Calls{"play b.mod"});
  // the ends of the range step without overflowing
  Start(THREE, INT32_MAX);
  MsxNext();
  EXPECT_EQ(Taken(), Calls{"play DATA/msx/a.xm"});
  Start(THREE, INT32_MIN);
  MsxPrev();
  EXPECT_EQ(Taken(), Calls{"play c.s3m"});
  Start(THREE);
  MsxPlayIndex(INT32_MIN);
  EXPECT_EQ(Taken(), Calls{"play c.s3m"});
}

TEST_F(MsxFrontTest, ThePlayingModuleInOtherCaseGoesOnButEndsListMode) {
  Start(THREE);
  MsxPlay("+PLIST");
  EXPECT_EQ(Taken(), Calls{"play DATA/msx/a.xm"});
  MsxPlay("data/MSX/A.XM");
  Recorded().finished = 1;
  MsxPoll();
  EXPECT_EQ(Taken(), Calls{});
  MsxPlay("+SILENCE");
  MsxPlay("+SILENCE");
  MsxPlay("+plist");  // reserved names are exact
  EXPECT_EQ(Taken(), (Calls{"play +SILENCE", "play +plist"}));
}

TEST_F(MsxFrontTest, ListModeMovesOnWhenTheModuleEndsAndWraps) {
  Start(THREE);
  MsxPlayIndex(0);
  Taken();
  MsxPlay("+PLIST");  // entry 0 already sounds: not restarted
  MsxPoll();
  EXPECT_EQ(Taken(), Calls{});
  Recorded().finished = 1;
  MsxPoll();
  MsxPoll();
  MsxPoll();
  EXPECT_EQ(Taken(), (Calls{"play b.mod", "play c.s3m", "play DATA/msx/a.xm"}));
  MsxNext();  // stepping leaves list mode
  MsxPoll();
  EXPECT_EQ(Taken(), Calls{"play b.mod"});
}

TEST_F(MsxFrontTest, ListModeReplaysALoneOrRepeatedModule) {
  Start("1\none.xm\n");
  MsxPlay("+PLIST");
  Recorded().finished = 1;
  MsxPoll();
  EXPECT_EQ(Taken(), (Calls{"play one.xm", "play one.xm"}));
}

TEST_F(MsxFrontTest, PauseTogglesAndSurvivesAnotherModule) {
  Start(THREE);
  MsxPlayIndex(0);
  MsxPauseToggle();
  MsxPauseToggle();
  MsxPauseToggle();
  MsxPlayIndex(1);
  MsxPauseToggle();
  EXPECT_EQ(Taken(),
            (Calls{"play DATA/msx/a.xm", "stop", "resume", "stop", "play b.mod", "resume"}));
}

TEST_F(MsxFrontTest, MusicOffReadsNothingAndDoesNothing) {
  setup.UseMsxPlayer = 0;
  WriteList("0\n");  // would be fatal if read
  MsxInit(setup);
  MsxPlay("+PLIST");
  MsxPlay("x.xm");
  MsxNext();
  MsxPrev();
  MsxPlayIndex(1);
  MsxPauseToggle();
  Recorded().finished = 1;
  MsxPoll();
  MsxShutdown();
  EXPECT_EQ(Taken(), Calls{});
}

TEST_F(MsxFrontTest, ShutdownEndsTheSessionAndANewOneStartsAfresh) {
  Start(THREE);
  MsxPlayIndex(1);
  MsxShutdown();
  MsxShutdown();
  MsxNext();
  EXPECT_EQ(Taken(), (Calls{"play b.mod", "shutdown"}));
  Start("2\nx.xm\ny.xm\n", 1);
  MsxPlayIndex(1);  // nothing is current in a new session
  MsxNext();
  EXPECT_EQ(Taken(), (Calls{"play y.xm", "play x.xm"}));
}

TEST_F(MsxFrontTest, BrokenListsEndWithTheirMessage) {
  const std::string huge(3000, 'a');
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0\na\n", "MSX range error !"},
      {"1025\na\n", "MSX range error !"},
      {"-1\na\n", "MSX range error !"},
      {"99999999999999999999999\na\n", "MSX range error !"},
      {"abc\na\n", "Internal error !"},
      {"", "Internal error !"},
      {"\n1\na\n", "Internal error !"},
      {"3\na\nb\n", "Internal error !"},
      {"2\n" + huge + "\n", "Internal error !"},  // one long line is one entry
  };
  for (const auto& [text, message] : cases) {
    WriteList(text);
    EXPECT_EQ(FatalMessageOf([&] { MsxInit(setup); }), message) << text.substr(0, 40);
    MsxShutdown();
  }
  std::remove("msx.txt");
  EXPECT_EQ(FatalMessageOf([&] { MsxInit(setup); }), "Cannot open modules list !");
  EXPECT_EQ(Taken(), Calls{});
}

TEST_F(MsxFrontTest, CountIsReadAsByPercentIAndLongNamesAreCut) {
  const std::string huge(3000, 'a');
  Start("0x2\n" + huge + "\nb\n");
  MsxPlayIndex(0);
  MsxPlayIndex(1);
  EXPECT_EQ(Taken(), (Calls{"play " + huge.substr(0, 1023), "play b"}));
}
