// Module files through the mixer, output closed: load, play a short stretch
// from each of the first orders at reduced volume and separation, so that
// libopenmpt's pattern effects and the mixer's gain run too; free.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "music/module_mixer.h"

namespace {

constexpr int32_t kOrders = 4;
constexpr size_t kFrames = 8192;  // about two rows at the usual speed

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  WriteInput("input.mod", data, size);
  const MixerHandle handle = MixerLoad("input.mod");
  if (handle == 0) return 0;
  MixerSetModuleVolume(handle, 0.5f);
  MixerSetSeparation(handle, 0.5f);
  std::vector<int16_t> sound(2 * kFrames);
  for (int32_t order = 0; order < kOrders && MixerPlayFrom(handle, order); ++order) {
    MixerRender(sound.data(), kFrames);
  }
  MixerFree(handle);
  return 0;
}
