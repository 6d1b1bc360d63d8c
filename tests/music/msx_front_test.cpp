// The music front over a player that records what it is asked: the list,
// stepping, list mode, pausing and the sessions.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "music/msx.h"
#include "music/msx_backend.h"
#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

using Calls = std::vector<std::string>;

// What the recording player was asked, in order, and what it reports.
struct Recording { Calls calls; int32_t finished = 0; };

Recording& Recorded() { static Recording recording; return recording; }

void Note(const std::string& call) { Recorded().calls.push_back(call); }

constexpr MsxBackend RECORDER = {
    [](int32_t quality) { Note("init " + std::to_string(quality)); },
    [](const char* name) { Note(std::string("play ") + name); },
    [] { Note("stop"); },
    [] { Note("resume"); },
    [] { return Recorded().finished; },
    [] { Note("shutdown"); },
};

const std::string THREE = "3\nDATA/msx/a.xm\nb.mod\nc.s3m\n", HUGE_NAME(3000, 'a');
const std::string A = "play DATA/msx/a.xm", B = "play b.mod", C = "play c.s3m";

// Steps, separated by blanks: next, prev, index:N, play:NAME, pause, end (the
// player reports its module ended), poll, shutdown.
void Perform(const std::string& steps) {
  std::istringstream in(steps);
  for (std::string step; in >> step;) {
    const std::string argument = step.substr(step.find(':') + 1);
    if (step == "next") MsxNext();
    if (step == "prev") MsxPrev();
    if (step.starts_with("index:")) MsxPlayIndex(static_cast<int32_t>(std::stoll(argument)));
    if (step.starts_with("play:")) MsxPlay(argument.c_str());
    if (step == "pause") MsxPauseToggle();
    if (step == "end") Recorded().finished = 1;
    if (step == "poll") MsxPoll();
    if (step == "shutdown") MsxShutdown();
  }
}

class MsxFrontTest : public IssueDirTest {
 protected:
  void SetUp() override {
    Recorded() = Recording{};
    MsxUseBackend(&RECORDER);
  }
  void TearDown() override {
    MsxShutdown();
    MsxUseBackend(nullptr);
  }
  // A session over the list: the calls after its init.
  Calls Run(const std::string& list, int32_t startingTune, const std::string& steps,
            int32_t music = 1) {
    WriteFileText("msx.txt", list);
    setup.UseMsxPlayer = music, setup.MsxQuality = 2, setup.StartingTune = startingTune;
    Recorded() = Recording{};
    MsxInit(setup);
    EXPECT_EQ(Recorded().calls, music != 0 ? Calls{"init 2"} : Calls{}) << list;
    Recorded().calls.clear();
    Perform(steps);
    Calls calls = std::move(Recorded().calls);
    MsxShutdown();
    return calls;
  }

  SetupConfig setup{};  // the settings MsxInit is given
};

}  // namespace

TEST_F(MsxFrontTest, SessionsPlayWhatTheListAndTheStepsName) {
  struct Case { std::string list; int32_t tune; std::string steps; Calls calls; int music = 1; };
  const Case cases[] = {
      // The list is cut at a tab or CR; lines past the count are ignored.
      {"3\nDATA/msx/a.xm\tfirst\r\nb.mod\r\nc.s3m\nignored\n", 0, "index:0 next next", {A, B, C}},
      {"0x2\n" + HUGE_NAME + "\nb\n", 0, "index:0 index:1", {"play " + HUGE_NAME.substr(0, 1023), "play b"}},
      // Stepping wraps at both ends; a starting tune outside is reduced at the first step.
      {THREE, 0, "prev index:-4 index:5", {C, B, C}},
      {THREE, 7, "prev index:7", {A, B}},
      {THREE, INT32_MAX, "next", {A}},
      {THREE, 0, "index:-2147483648", {C}},
      // The playing module in other case goes on but ends list mode; reserved names are exact.
      {THREE, 0, "play:+PLIST play:data/MSX/A.XM end poll play:+SILENCE play:+SILENCE play:+plist",
       {A, "play +SILENCE", "play +plist"}},
      // List mode moves on when a module ends and wraps; it does not restart the one
      // that sounds, and stepping leaves it.
      {THREE, 0, "index:0 play:+PLIST poll end poll poll poll next poll", {A, B, C, A, B}},
      {"1\none.xm\n", 0, "play:+PLIST end poll", {"play one.xm", "play one.xm"}},
      {THREE, 0, "index:0 pause pause pause index:1 pause", {A, "stop", "resume", "stop", B, "resume"}},
      // A shut session does nothing; a new one has nothing current.
      {THREE, 0, "index:1 shutdown shutdown next", {B, "shutdown"}},
      {"2\nx.xm\ny.xm\n", 1, "index:1 next", {"play y.xm", "play x.xm"}},
      // With the music off the list is not even read.
      {"0\n", 0, "play:+PLIST play:x.xm next prev index:1 pause end poll shutdown", {}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.list, c.tune, c.steps, c.music), c.calls) << c.steps;
  }
}

TEST_F(MsxFrontTest, BrokenListsEndWithTheirMessage) {
  setup.UseMsxPlayer = 1;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"0\na\n", "MSX range error !"}, {"1025\na\n", "MSX range error !"},
      {"abc\na\n", "Internal error !"}, {"3\na\nb\n", "Internal error !"},
      {"2\n" + HUGE_NAME + "\n", "Internal error !"},  // one long line is one entry
  };
  for (const auto& [text, message] : cases) {
    WriteFileText("msx.txt", text);
    EXPECT_EQ(FatalMessageOf([&] { MsxInit(setup); }), message) << text.substr(0, 40);
    MsxShutdown();
  }
  std::remove("msx.txt");
  EXPECT_EQ(FatalMessageOf([&] { MsxInit(setup); }), "Cannot open modules list !");
  EXPECT_EQ(Recorded().calls, Calls{});
}
