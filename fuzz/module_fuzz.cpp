// Module files through the mixer, output closed: load, play about two rows from each of
// the first four orders at reduced volume and separation (effects and gain run too); free.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "music/module_mixer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  WriteInput("input.mod", data, size);
  const MixerHandle handle = MixerLoad("input.mod");
  if (handle == 0) return 0;
  MixerSetModuleVolume(handle, 0.5f);
  MixerSetSeparation(handle, 0.5f);
  std::vector<int16_t> sound(2 * 8192);
  for (int32_t order = 0; order < 4 && MixerPlayFrom(handle, order); ++order) {
    MixerRender(sound.data(), sound.size() / 2);
  }
  MixerFree(handle);
  return 0;
}
