// The two players over the real layers: failures, messages and, through the
// disk output, what actually sounds.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/setup_config.h"
#include "music/module_mixer.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace {

constexpr size_t SAMPLE1_VOLUME = 20 + 22 + 3;  // title, then the first header's name and length

void UseDriver(const char* driver) { setenv("SDL_AUDIODRIVER", driver, 1); }

class MsxBackendsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The driver is chosen when SDL's audio starts.
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    UseDriver("dummy");
    // A BASS shutdown leaves the shared output turned down.
    MixerSetOutputVolume(1.0f);
    WriteFileBytes("data.rs", {});
    WriteFileBytes("long.mod", TinyModule(20));
    WriteFileText("notmod.xm", "this is not a module\n");
  }
  void TearDown() override {
    MsxShutdown();
    MsxUseBackend(nullptr);
    ResourceCloseAll();
    UseDriver("dummy");
    unsetenv("SDL_DISKAUDIOFILE");
  }

  ScratchDir dir;
  SetupConfig setup{};  // the settings MsxInit is given
};

}  // namespace

// Every call but Init is harmless on a BASS that could not start.
TEST_F(MsxBackendsTest, AnOutputThatCannotOpenSilencesBassAndEndsFmod) {
  UseDriver("none_such");
  EXPECT_EQ(FatalMessageOf([] {
              const MsxBackend& bass = BassBackend();
              bass.Init(1);
              bass.Play("long.mod");
              bass.Stop();
              bass.Resume();
              EXPECT_EQ(bass.Finished(), 0);
              bass.Shutdown();
            }),
            "");
  EXPECT_EQ(FatalMessageOf([] { FmodBackend().Init(1); }), "Error initializing output device.");
}

TEST_F(MsxBackendsTest, FmodPrintsItsVersionAndDriver) {
  const ChildResult child = RunInChild([] {
    FmodBackend().Init(2);
    FmodBackend().Shutdown();
  });
  EXPECT_EQ(child.out,
            "\n FMOD version 3.400000 [compiled witch version: 3.400000] \n\n"
            "\n DriverName = dummy ");
}

TEST_F(MsxBackendsTest, LoadErrorsHaveEachPlayersMessage) {
  constexpr const char* MO3 = "FMOD: MO3 format not supported !";
  constexpr const char* BASS = "Can't play the file - open/load/format error (BASS)!";
  struct Case {
    const MsxBackend& player;
    const char* path;
    const char* message;
  };
  const Case cases[] = {
      {FmodBackend(), "long.mod", ""},
      {FmodBackend(), "DATA/msx/tune.mo3", MO3},
      {FmodBackend(), "tune.MO3", MO3},
      {FmodBackend(), "x.mo3x", "File not found"},
      {FmodBackend(), "o3", "File not found"},
      {FmodBackend(), "DATA/msx/notmod.xm", "Unknown file format"},
      {BassBackend(), "x.mo3x", BASS},
      {BassBackend(), "DATA/msx/notmod.xm", BASS},
      {BassBackend(), "long.mod", ""},
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

enum class Level { Silent, Quiet, Loud };

// The whole front over one player, writing its sound into out.raw.
class MsxDiskTest : public MsxBackendsTest, public ::testing::WithParamInterface<int32_t> {
 protected:
  void SetUp() override {
    MsxBackendsTest::SetUp();
    out = dir.path() + "/out.raw";
    UseDriver("disk");
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    std::vector<uint8_t> quiet = TinyModule(2);
    quiet[SAMPLE1_VOLUME] = 16;
    WriteFileBytes("loud.mod", TinyModule(2));
    WriteFileBytes("quiet.mod", quiet);
    WriteFileText("msx.txt", "2\nDATA/msx/loud.mod\nDATA/msx/quiet.mod\n");
    setup.UseMsxPlayer = 1;
    setup.MsxQuality = 1;
    setup.PlayerIsBass = GetParam();
    MsxInit(setup);
  }

  size_t Written() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(out, error);
    return error ? 0 : static_cast<size_t>(size);
  }

  // Waits ms with a poll every few milliseconds, as frames would.
  static void Run(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
      SDL_Delay(5);
      MsxPoll();
    }
  }

  // The loudest sample of each 10 ms written over the next ms, once a margin
  // has let what was mixed before go out.
  std::vector<int> PeaksOver(int ms) {
    Run(150);
    const size_t from = Written() / FRAME_BYTES * FRAME_BYTES;
    Run(ms);
    const std::vector<uint8_t> bytes = ReadFileBytes(out);
    std::vector<int> peaks;
    for (size_t at = from; at + WINDOW_BYTES <= bytes.size(); at += WINDOW_BYTES) {
      int peak = 0;
      for (size_t i = at; i < at + WINDOW_BYTES; i += 2) {
        const auto sample = static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8);
        peak = std::max(peak, std::abs(int{sample}));
      }
      peaks.push_back(peak);
    }
    EXPECT_GE(peaks.size(), static_cast<size_t>(ms / 20)) << "the output did not grow";
    return peaks;
  }

  // Whether every window is silent (or every one sounds).
  bool All(int ms, bool sounding) {
    const std::vector<int> peaks = PeaksOver(ms);
    return std::all_of(peaks.begin(), peaks.end(), [&](int peak) { return (peak > 0) == sounding; });
  }

  std::string out;
};

// Runs of the same level, with the silences between modules dropped.
std::vector<Level> Levels(const std::vector<int>& peaks) {
  const int loudest = *std::max_element(peaks.begin(), peaks.end());
  std::vector<Level> levels;
  for (int peak : peaks) {
    if (peak == 0) continue;
    const Level level = peak * 10 > loudest * 6 ? Level::Loud : Level::Quiet;
    if (peak * 10 > loudest * 4 && level == Level::Quiet) continue;  // a window across a change
    if (levels.empty() || levels.back() != level) levels.push_back(level);
  }
  return levels;
}

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
  // List mode goes on when a module ends.
  MsxPlay("+PLIST");
  const std::vector<Level> levels = Levels(PeaksOver(700));
  const std::vector<Level> wanted = {Level::Loud, Level::Quiet, Level::Loud};
  EXPECT_NE(std::search(levels.begin(), levels.end(), wanted.begin(), wanted.end()), levels.end());
}

INSTANTIATE_TEST_SUITE_P(MsxPlayers, MsxDiskTest, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param != 0 ? "Bass" : "Fmod"; });
