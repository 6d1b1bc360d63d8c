// Module files through the mixer, output closed: load, play a bounded stretch, free.
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
  constexpr size_t kFrames = 4096;
  std::vector<int16_t> sound(2 * kFrames);
  MixerPlay(handle);
  MixerRender(sound.data(), kFrames);
  MixerFree(handle);
  return 0;
}
