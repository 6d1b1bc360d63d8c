// Freeing a module the sound-library layers are playing; no module is
// refused. Their load errors, what they sound like and that they report a
// module's end are tested through the players (msx_backends_test).
#include <gtest/gtest.h>

#include <cstdlib>

#include "music/bass_layer.h"
#include "music/fmod_layer.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace {

constexpr int32_t kRate = 44100;

class MusicLayersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The disk driver with no delay keeps the callback busy, so frees meet it mid-render.
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    WriteFileBytes("long.mod", TinyModule(64));
    WriteFileBytes("short.mod", TinyModule(2));
  }
  void TearDown() override {
    FSOUND_Close();
    BASS_Free();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("SDL_DISKAUDIOFILE");
    unsetenv("SDL_DISKAUDIODELAY");
  }

  ScratchDir dir_;
};

TEST_F(MusicLayersTest, FreeingThePlayingModuleIsSafe) {
  ASSERT_EQ(FSOUND_Init(kRate, 32, 0), 1);
  EXPECT_EQ(FMUSIC_PlaySong(nullptr) + FMUSIC_StopSong(nullptr), 0) << "no module is refused";
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
    BASS_ChannelSetSync(music, BASS_SYNC_END, 0, [](HSYNC, uint32_t, uint32_t, uint32_t) {}, 0);
    ASSERT_TRUE(BASS_MusicPlayEx(music, 0, -1, true));
    BASS_MusicFree(music);
  }
}

}  // namespace
