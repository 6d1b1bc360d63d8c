// The mixer with its output closed, rendered directly: where a module ends,
// what a restart sounds like, volumes, and its handles.
#include "music/module_mixer.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr size_t kBlock = 1024;
using Sound = std::vector<int16_t>;

Sound Render() {
  Sound sound(2 * kBlock);
  MixerRender(sound.data(), kBlock);
  return sound;
}

// Renders block by block until the module reports its end (at most 10 s).
Sound RenderToEnd(MixerHandle handle) {
  Sound sound;
  for (int32_t i = 0; i < 10 * kRate / int32_t{kBlock} && !MixerFinished(handle); ++i) {
    const Sound block = Render();
    sound.insert(sound.end(), block.begin(), block.end());
  }
  return sound;
}

class ModuleMixerTest : public ::testing::Test {
 protected:
  void TearDown() override { MixerSetOutputVolume(1.0f); MixerClose(); }
  MixerHandle LoadTiny(int rows) {
    WriteFileBytes("tiny.mod", TinyModule(rows));
    return MixerLoad("tiny.mod");
  }
  ScratchDir dir_;
};

TEST_F(ModuleMixerTest, PlaysOnceToItsEndAndRestartsAlike) {
  const MixerHandle handle = LoadTiny(2);
  ASSERT_NE(handle, 0);
  std::vector<MixerHandle> ends;  // one entry per report of the end
  MixerSetEndCallback(handle, [](MixerHandle h, void* user) {
    static_cast<std::vector<MixerHandle>*>(user)->push_back(h);
  }, &ends);
  EXPECT_EQ(Render(), Sound(2 * kBlock)) << "nothing plays before MixerPlay";
  MixerPlay(handle);
  const Sound first = RenderToEnd(handle);
  ASSERT_TRUE(MixerFinished(handle));
  EXPECT_NE(first, Sound(first.size()));
  EXPECT_EQ(Render(), Sound(2 * kBlock));
  EXPECT_EQ(ends, std::vector{handle}) << "the end is reported once";
  MixerPlay(handle);
  EXPECT_FALSE(MixerFinished(handle));
  EXPECT_EQ(RenderToEnd(handle), first) << "a restart sounds like the first playing";
  EXPECT_EQ(ends.size(), 2u);
}

TEST_F(ModuleMixerTest, TheModulesAndTheOutputsVolumesBothScaleTheSound) {
  const MixerHandle handle = LoadTiny(8);
  MixerPlay(handle);
  const Sound full = Render();
  MixerSetModuleVolume(handle, 0.5f);
  MixerSetOutputVolume(0.5f);
  MixerPlay(handle);
  const Sound quarter = Render();
  for (size_t i = 0; i < full.size(); ++i) ASSERT_LE(std::abs(quarter[i] - full[i] / 4), 1) << i;
}

TEST_F(ModuleMixerTest, RefusesWhatIsNotAModuleAndFreedHandlesStayDead) {
  const std::vector<uint8_t> tiny = TinyModule(2);
  WriteFileBytes("cut.mod", {tiny.begin(), tiny.begin() + 1000});  // before the signature
  WriteFileBytes("empty.mod", {});
  for (const char* path : {"missing.mod", "cut.mod", "empty.mod", "."})
    EXPECT_EQ(MixerLoad(path), 0) << path;
  const MixerHandle first = LoadTiny(2);
  MixerPlay(first);
  MixerFree(first);
  const MixerHandle second = LoadTiny(2);
  EXPECT_NE(second, first);
  EXPECT_FALSE(MixerLoaded(first));
  EXPECT_FALSE(MixerPlayFrom(first, 0));
  MixerFree(first);
  EXPECT_EQ(Render(), Sound(2 * kBlock));
  EXPECT_FALSE(MixerPlayFrom(second, 1)) << "the tiny module has a single order";
  EXPECT_TRUE(MixerLoaded(second));
}

}  // namespace
