// The two players over the real layers: failures, messages and, through the
// disk output, what actually sounds.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "music/module_mixer.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "support/fatal_catch.h"
#include "support/issue_dir.h"
#include "support/tiny_module.h"

namespace {

void UseDriver(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }

class MsxBackendsTest : public IssueDirTest {
 protected:
  void SetUp() override {
    // The driver is chosen when SDL's audio starts.
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    UseDriver("dummy");
    // A BASS shutdown leaves the shared output turned down.
    MixerSetOutputVolume(1.0f);
    WriteFileBytes("long.mod", TinyModule(20));
    WriteFileText("notmod.xm", "this is not a module\n");
  }
  void TearDown() override {
    MsxShutdown();
    MsxUseBackend(nullptr);
    UseDriver("dummy");
    unsetenv("SDL_DISKAUDIOFILE");
  }

  SetupConfig setup{};  // the settings MsxInit is given
};

}  // namespace

// Every call but Init is harmless on a BASS that could not start.
TEST_F(MsxBackendsTest, AnOutputThatCannotOpenSilencesBassAndEndsFmod) {
  UseDriver("none_such");
  const MsxBackend& bass = BassBackend();
  bass.Init(1);
  bass.Play("long.mod");
  bass.Stop();
  bass.Resume();
  EXPECT_EQ(bass.Finished(), 0);
  bass.Shutdown();
  EXPECT_EQ(FatalMessageOf([] { FmodBackend().Init(1); }), "Error initializing output device.");
}

TEST_F(MsxBackendsTest, LoadErrorsHaveEachPlayersMessage) {
  struct Case { const MsxBackend& player; const char* path; const char* message; };
  const Case cases[] = {
      {FmodBackend(), "tune.MO3", "FMOD: MO3 format not supported !"},
      {FmodBackend(), "o3", "File not found"},  // shorter than the extension
      {FmodBackend(), "DATA/msx/notmod.xm", "Unknown file format"},
      {BassBackend(), "DATA/msx/notmod.xm", "Can't play the file - open/load/format error (BASS)!"},
  };
  for (const Case& c : cases) {
    c.player.Init(3);
    EXPECT_EQ(FatalMessageOf([&] { c.player.Play(c.path); }), c.message) << c.path;
    EXPECT_EQ(c.player.Finished(), 0);
    c.player.Stop();
    c.player.Resume();
    c.player.Shutdown();
  }
}

namespace {

constexpr int32_t RATE = 44100;  // quality 1
constexpr size_t FRAME_BYTES = 4;
constexpr size_t WINDOW_BYTES = RATE / 100 * FRAME_BYTES;  // 10 ms

// The whole front over one player, writing its sound into out.raw.
class MsxDiskTest : public MsxBackendsTest, public ::testing::WithParamInterface<int32_t> {
 protected:
  void SetUp() override {
    MsxBackendsTest::SetUp();
    out = dir.path() + "/out.raw";
    UseDriver("disk");
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    WriteFileBytes("short.mod", TinyModule(2));  // 0.24 s
    WriteFileText("msx.txt", "2\nDATA/msx/short.mod\nshort.mod\n");
    setup.UseMsxPlayer = 1;
    setup.MsxQuality = 1;
    setup.PlayerIsBass = GetParam();
    MsxInit(setup);
  }

  // Waits ms with a poll every few milliseconds, as frames would.
  static void Run(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      SDL_Delay(5);
      MsxPoll();
    }
  }

  // Whether each 10 ms written over the next ms sounds (or each is silent),
  // once a margin has let what was mixed before go out.
  bool All(int ms, bool sounding) {
    Run(150);
    const size_t from = std::filesystem::file_size(out) / FRAME_BYTES * FRAME_BYTES;
    Run(ms);
    const std::vector<uint8_t> bytes = ReadFileBytes(out);
    size_t windows = 0, alike = 0;
    for (size_t at = from; at + WINDOW_BYTES <= bytes.size(); at += WINDOW_BYTES, ++windows) {
      const auto begin = bytes.begin() + static_cast<long>(at);
      alike += std::any_of(begin, begin + WINDOW_BYTES, [](uint8_t b) { return b; }) == sounding;
    }
    EXPECT_GE(windows, static_cast<size_t>(ms / 20)) << "the output did not grow";
    return alike == windows;
  }

  std::string out;
};

}  // namespace

TEST_P(MsxDiskTest, PlaysPausesResumesSilencesAndWrapsTheList) {
  MsxPlay("DATA/msx/long.mod");
  EXPECT_TRUE(All(200, true));
  MsxPauseToggle();
  EXPECT_TRUE(All(150, false));
  MsxPauseToggle();
  EXPECT_TRUE(All(150, true));
  MsxPlay("+SILENCE");
  EXPECT_TRUE(All(150, false));
  // List mode goes on when a module ends, and wraps: still sounding after both.
  MsxPlay("+PLIST");
  Run(600);
  EXPECT_FALSE(All(400, false));
}

INSTANTIATE_TEST_SUITE_P(MsxPlayers, MsxDiskTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param != 0 ? "Bass" : "Fmod"; });
