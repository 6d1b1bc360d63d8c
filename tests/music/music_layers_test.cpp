// Both sound-library layers playing through SDL's disk driver, which writes the
// mixed sound (in roughly real time) to a file that the tests read back.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "music/bass_layer.h"
#include "music/fmod_layer.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr size_t kSilenceCheckBytes = 16 << 10;  // 93 ms of 16-bit stereo

// Sets an environment variable for its lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

bool WaitFor(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

class MusicLayersTest : public ::testing::Test {
 protected:
  MusicLayersTest() : output_(dir_.path() + "/sound.raw"), file_("SDL_DISKAUDIOFILE", output_) {
    WriteFileBytes("long.mod", TinyModule(64));  // 7.7 s
    WriteFileBytes("short.mod", TinyModule(2));  // 0.24 s
    WriteFileBytes("text.mod", std::vector<uint8_t>(4000, 'x'));
  }
  void SetUp() override {
    FSOUND_Close();
    ASSERT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "SDL's audio, left running, ignores the driver set";
  }
  void TearDown() override {
    FSOUND_Close();
    BASS_Free();
  }

  size_t Written() const {
    std::error_code error;
    const auto size = std::filesystem::file_size(output_, error);
    return error ? 0 : static_cast<size_t>(size);
  }
  bool SoundFrom(size_t offset) const {
    const std::vector<uint8_t> bytes = ReadFileBytes(output_);
    return bytes.size() > offset && std::any_of(bytes.begin() + static_cast<ptrdiff_t>(offset),
                                                bytes.end(), [](uint8_t b) { return b != 0; });
  }
  // Once the sound written since the call has outgrown SDL's buffers, its end is silence.
  bool TurnsSilent() const {
    const size_t from = Written() + (64 << 10);
    if (!WaitFor([&] { return Written() >= from + kSilenceCheckBytes; })) return false;
    return !SoundFrom(from);
  }

  ScratchDir dir_;
  std::string output_;
  ScopedEnv driver_{"SDL_AUDIODRIVER", "disk"};
  ScopedEnv file_;
};

std::atomic<int> endSyncs{0};
std::atomic<uint32_t> endSyncUser{0};

void CountEndSync(HSYNC, uint32_t, uint32_t, uint32_t user) {
  endSyncUser = user;
  ++endSyncs;
}

TEST_F(MusicLayersTest, FmodSoundsUntilStopped) {
  ASSERT_EQ(FSOUND_Init(kRate, 32, 0), 1);
  FMUSIC_MODULE* module = FMUSIC_LoadSong("long.mod");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(FMUSIC_SetPanSeperation(module, 0.15f), 1);
  EXPECT_EQ(FMUSIC_SetMasterVolume(module, 255), 1);
  EXPECT_EQ(FMUSIC_PlaySong(module), 1);
  EXPECT_TRUE(WaitFor([&] { return SoundFrom(0); }));
  EXPECT_EQ(FMUSIC_StopSong(module), 1);
  EXPECT_TRUE(TurnsSilent());
  EXPECT_EQ(FMUSIC_IsFinished(module), 0);
}

TEST_F(MusicLayersTest, BassSoundsUntilStopped) {
  ASSERT_TRUE(BASS_Init(1, kRate, 0, GetForegroundWindow()));
  ASSERT_TRUE(BASS_Start());
  const HMUSIC music = BASS_MusicLoad(false, "long.mod", 0, 0, 4);
  ASSERT_NE(music, 0u);
  EXPECT_TRUE(BASS_SetVolume(100));
  EXPECT_TRUE(BASS_MusicPlayEx(music, 0, -1, true));
  EXPECT_TRUE(WaitFor([&] { return SoundFrom(0); }));
  EXPECT_TRUE(BASS_ChannelStop(music));
  EXPECT_TRUE(TurnsSilent());
}

TEST_F(MusicLayersTest, FmodShortModuleFinishesAndPlaysAgain) {
  ASSERT_EQ(FSOUND_Init(kRate, 32, 0), 1);
  FMUSIC_MODULE* module = FMUSIC_LoadSong("short.mod");
  ASSERT_EQ(FMUSIC_PlaySong(module), 1);
  EXPECT_TRUE(WaitFor([&] { return FMUSIC_IsFinished(module) == 1; }));
  ASSERT_EQ(FMUSIC_PlaySong(module), 1);
  EXPECT_EQ(FMUSIC_IsFinished(module), 0);
  EXPECT_TRUE(WaitFor([&] { return FMUSIC_IsFinished(module) == 1; }));
}

TEST_F(MusicLayersTest, BassEndSyncFiresAndPlayExRestarts) {
  ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr));
  const HMUSIC music = BASS_MusicLoad(false, "short.mod", 0, 0, 6);
  ASSERT_NE(music, 0u);
  endSyncs = 0;
  EXPECT_NE(BASS_ChannelSetSync(music, BASS_SYNC_END | BASS_SYNC_MIXTIME, 0, CountEndSync, 77), 0u);
  ASSERT_TRUE(BASS_MusicPlayEx(music, 0, -1, true));
  EXPECT_TRUE(WaitFor([] { return endSyncs == 1; }));
  EXPECT_EQ(endSyncUser, 77u);
  ASSERT_TRUE(BASS_MusicPlayEx(music, 0, -1, true));
  EXPECT_TRUE(WaitFor([] { return endSyncs == 2; }));
}

TEST_F(MusicLayersTest, LoadFailuresAreReported) {
  EXPECT_EQ(FMUSIC_LoadSong("long.mod"), nullptr);
  EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_UNINITIALIZED);
  ASSERT_EQ(FSOUND_Init(kRate, 32, 0), 1);
  EXPECT_EQ(FMUSIC_LoadSong("missing.mod"), nullptr);
  EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_FILE_NOTFOUND);
  EXPECT_EQ(FMUSIC_LoadSong("text.mod"), nullptr);
  EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_FILE_FORMAT);
  EXPECT_EQ(FMUSIC_PlaySong(nullptr), 0);
  EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INVALID_PARAM);
  EXPECT_EQ(FMUSIC_IsFinished(nullptr), 0);
  EXPECT_EQ(FMUSIC_FreeSong(nullptr), 0);
  FSOUND_Close();

  ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr));
  EXPECT_EQ(BASS_MusicLoad(false, "missing.mod", 0, 0, 4), 0u);
  EXPECT_EQ(BASS_MusicLoad(false, "text.mod", 0, 0, 4), 0u);
  EXPECT_FALSE(BASS_MusicPlayEx(0, 0, -1, true));
  EXPECT_FALSE(BASS_ChannelStop(0));
  EXPECT_EQ(BASS_ChannelSetSync(0, BASS_SYNC_END, 0, CountEndSync, 0), 0u);
}

TEST_F(MusicLayersTest, OutputThatCannotOpenFailsCleanly) {
  ScopedEnv driver("SDL_AUDIODRIVER", "none_such");
  EXPECT_EQ(FSOUND_Init(kRate, 32, 0), 0);
  EXPECT_EQ(FSOUND_GetError(), FMOD_ERR_INIT);
  EXPECT_EQ(FMUSIC_LoadSong("long.mod"), nullptr);
  EXPECT_EQ(FMUSIC_PlaySong(nullptr), 0);
  FSOUND_Close();

  EXPECT_FALSE(BASS_Init(1, kRate, 0, nullptr));
  EXPECT_FALSE(BASS_Start());
  EXPECT_EQ(BASS_MusicLoad(false, "long.mod", 0, 0, 4), 0u);
  EXPECT_FALSE(BASS_MusicPlayEx(1, 0, -1, true));
  BASS_Free();
}

// The disk driver with no delay keeps the callback busy, so frees meet it mid-render.
TEST_F(MusicLayersTest, FreeingThePlayingModuleIsSafe) {
  ScopedEnv sink("SDL_DISKAUDIOFILE", "/dev/null");
  ScopedEnv noDelay("SDL_DISKAUDIODELAY", "0");
  ASSERT_EQ(FSOUND_Init(kRate, 32, 0), 1);
  for (int i = 0; i < 300; ++i) {
    FMUSIC_MODULE* module = FMUSIC_LoadSong(i % 2 == 0 ? "long.mod" : "short.mod");
    ASSERT_EQ(FMUSIC_PlaySong(module), 1);
    ASSERT_EQ(FMUSIC_FreeSong(module), 1);
    EXPECT_EQ(FMUSIC_FreeSong(module), 0) << "a freed module is refused";
  }
  FSOUND_Close();

  ASSERT_TRUE(BASS_Init(1, kRate, 0, nullptr));
  for (int i = 0; i < 300; ++i) {
    const HMUSIC music = BASS_MusicLoad(false, i % 2 == 0 ? "long.mod" : "short.mod", 0, 0, 4);
    BASS_ChannelSetSync(music, BASS_SYNC_END, 0, CountEndSync, 0);
    ASSERT_TRUE(BASS_MusicPlayEx(music, 0, -1, true));
    BASS_MusicFree(music);
  }
}

}  // namespace
