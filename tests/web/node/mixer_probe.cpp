// Renders tunes through the engine's mixer as the audio callback receives
// them, for comparing the web build's mixing with the native one's: built for
// both, it writes each tune's samples as raw 16-bit stereo into a folder:
// its first seconds in full stereo and volume, then its last order to its
// end in the FMOD player's narrow stereo at half volume, so that the
// mixer's gain and the tune's end count too.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "music/module_mixer.h"
#include "resources/file_ptr.h"

namespace {

constexpr int32_t kRate = 44100;       // the players' rate at the best quality
constexpr size_t kBlock = 1024;        // frames of the callback's buffer
constexpr float kFmodSeparation = 0.15f;
constexpr size_t kLongestEnd = 60 * kRate;  // frames a last order may play

using Sound = std::vector<int16_t>;

void RenderBlock(Sound& sound) {
  const size_t at = sound.size();
  sound.resize(at + 2 * kBlock);
  MixerRender(sound.data() + at, kBlock);
}

int32_t LastOrder(MixerHandle handle) {
  int32_t order = 0;
  while (MixerPlayFrom(handle, order + 1)) ++order;
  return order;
}

bool Probe(const char* path, long seconds, const std::filesystem::path& out) {
  const MixerHandle handle = MixerLoad(path);
  if (handle == 0) return false;
  Sound sound;
  MixerPlay(handle);
  for (size_t done = 0; done < static_cast<size_t>(seconds) * kRate; done += kBlock) RenderBlock(sound);
  MixerSetSeparation(handle, kFmodSeparation);
  MixerSetOutputVolume(0.5f);
  MixerPlayFrom(handle, LastOrder(handle));
  for (size_t done = 0; done < kLongestEnd && !MixerFinished(handle); done += kBlock) RenderBlock(sound);
  const bool ended = MixerFinished(handle);
  RenderBlock(sound);
  MixerSetOutputVolume(1.0f);
  MixerFree(handle);
  if (!ended) std::fprintf(stderr, "%s plays on a minute past its last order\n", path);
  FilePtr file = OpenFile(out.c_str(), "wb");
  return ended && file && std::fwrite(sound.data(), sizeof(int16_t), sound.size(), file.get()) == sound.size() &&
         std::fflush(file.get()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s SECONDS OUTDIR MODULE...\n", argv[0]);
    return 2;
  }
  // The output stays closed, so nothing but this program renders; the rate
  // is the mixer's own until an output opens.
  if (MixerRate() != kRate) {
    std::fprintf(stderr, "mixer rate %d, not %d\n", MixerRate(), kRate);
    return 1;
  }
  const long seconds = std::strtol(argv[1], nullptr, 10);
  for (int i = 3; i < argc; ++i) {
    const std::filesystem::path out =
        std::filesystem::path(argv[2]) / std::filesystem::path(argv[i]).filename().concat(".raw");
    if (!Probe(argv[i], seconds, out)) {
      std::fprintf(stderr, "cannot render %s into %s\n", argv[i], out.c_str());
      return 1;
    }
  }
  return 0;
}
