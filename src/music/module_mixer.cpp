#include "music/module_mixer.h"

#include <SDL.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "music/module_file.h"

namespace {

constexpr int32_t kMinRate = 8000;  // libopenmpt's range
constexpr int32_t kMaxRate = 192000;
constexpr Uint16 kBufferFrames = 1024;  // 23 ms at 44.1 kHz
constexpr int32_t kUnityGain = 1 << 16;

struct Module {
  ModulePtr module;
  float volume = 1.0f;
  bool finished = false;
  MixerEndCallback onEnd = nullptr;
  void* user = nullptr;
};

struct Mixer {
  bool open = false;
  bool ownsSubsystem = false;  // SDL's audio was started here, so it is quit here
  int32_t rate = 44100;
  float outputVolume = 1.0f;
  MixerHandle playing = 0;
  MixerHandle lastHandle = 0;
  std::map<MixerHandle, Module> modules;

  Mixer() = default;
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;
  // Left open at exit, the callback must not outlive the modules.
  ~Mixer() {
    if (open) SDL_CloseAudio();
  }
};

Mixer& State() {
  static Mixer mixer;
  return mixer;
}

// The callback runs under the same lock, so whatever it reads is changed only
// while holding it (a no-op while no output is open).
class AudioLock {
 public:
  AudioLock() { SDL_LockAudio(); }
  ~AudioLock() { SDL_UnlockAudio(); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;
};

Module* Find(MixerHandle handle) {
  auto found = State().modules.find(handle);
  return found == State().modules.end() ? nullptr : &found->second;
}

float Clamp01(float value) { return value >= 0.0f ? std::min(value, 1.0f) : 0.0f; }

// Fixed point, so that full volume leaves the samples untouched.
void ApplyGain(int16_t* samples, size_t count, float gain) {
  const auto factor = static_cast<int32_t>(std::lround(gain * kUnityGain));
  if (factor >= kUnityGain) return;
  for (size_t i = 0; i < count; ++i) samples[i] = static_cast<int16_t>((samples[i] * factor) >> 16);
}

// Renders the playing module into out and returns the frames it gave; at its
// end marks it finished and, last of all (the callback may replay or free
// it), calls its end callback.
size_t RenderPlaying(int16_t* out, size_t frames) {
  Mixer& mixer = State();
  const MixerHandle handle = mixer.playing;
  Module* playing = Find(handle);
  if (playing == nullptr || playing->finished) return 0;
  size_t done = 0;
  bool ended = false;
  while (done < frames && !ended) {
    const size_t got = openmpt_module_read_interleaved_stereo(playing->module.get(), mixer.rate,
                                                              frames - done, out + 2 * done);
    ended = got == 0;
    done += got;
  }
  ApplyGain(out, 2 * done, playing->volume * mixer.outputVolume);
  if (ended) {
    playing->finished = true;
    if (playing->onEnd != nullptr) playing->onEnd(handle, playing->user);
  }
  return done;
}

void FillAudio(void*, Uint8* stream, int length) {
  // 16-bit stereo: SDL asks for whole frames.
  MixerRender(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 4);
}

void QuitOwnedSubsystem() {
  Mixer& mixer = State();
  if (!mixer.ownsSubsystem) return;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  mixer.ownsSubsystem = false;
}

}  // namespace

bool MixerOpen(int32_t rate) {
  Mixer& mixer = State();
  if (rate < kMinRate || rate > kMaxRate) return false;
  if (mixer.open) {
    SDL_CloseAudio();
    mixer.open = false;
  }
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    mixer.ownsSubsystem = true;
  }
  SDL_AudioSpec wanted{};
  wanted.freq = rate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 2;
  wanted.samples = kBufferFrames;
  wanted.callback = FillAudio;
  mixer.rate = rate;
  // No obtained format: SDL converts to the device's own.
  if (SDL_OpenAudio(&wanted, nullptr) != 0) {
    QuitOwnedSubsystem();
    return false;
  }
  mixer.open = true;
  SDL_PauseAudio(0);
  return true;
}

bool MixerIsOpen() { return State().open; }

int32_t MixerRate() { return State().rate; }

void MixerClose() {
  Mixer& mixer = State();
  if (mixer.open) SDL_CloseAudio();
  mixer.open = false;
  QuitOwnedSubsystem();
  mixer.playing = 0;
  mixer.modules.clear();
}

MixerHandle MixerLoad(const char* path) {
  Mixer& mixer = State();
  if (path == nullptr || mixer.lastHandle == INT32_MAX) return 0;
  ModulePtr module = LoadModuleFile(path);
  if (!module) return 0;
  const MixerHandle handle = ++mixer.lastHandle;
  AudioLock lock;
  mixer.modules[handle].module = std::move(module);
  return handle;
}

void MixerFree(MixerHandle handle) {
  Mixer& mixer = State();
  ModulePtr freed;  // destroyed after the lock is let go
  AudioLock lock;
  auto found = mixer.modules.find(handle);
  if (found == mixer.modules.end()) return;
  freed = std::move(found->second.module);
  mixer.modules.erase(found);
  if (mixer.playing == handle) mixer.playing = 0;
}

bool MixerLoaded(MixerHandle handle) { return Find(handle) != nullptr; }

void MixerPlay(MixerHandle handle) { MixerPlayFrom(handle, 0); }

bool MixerPlayFrom(MixerHandle handle, int32_t order) {
  AudioLock lock;
  Module* module = Find(handle);
  if (module == nullptr || order < 0 ||
      order >= openmpt_module_get_num_orders(module->module.get()))
    return false;
  openmpt_module_set_position_order_row(module->module.get(), order, 0);
  module->finished = false;
  State().playing = handle;
  return true;
}

void MixerStop(MixerHandle handle) {
  AudioLock lock;
  if (State().playing == handle) State().playing = 0;
}

bool MixerFinished(MixerHandle handle) {
  AudioLock lock;
  const Module* module = Find(handle);
  return module != nullptr && module->finished;
}

void MixerSetModuleVolume(MixerHandle handle, float volume) {
  AudioLock lock;
  if (Module* module = Find(handle)) module->volume = Clamp01(volume);
}

void MixerSetOutputVolume(float volume) {
  AudioLock lock;
  State().outputVolume = Clamp01(volume);
}

void MixerSetSeparation(MixerHandle handle, float separation) {
  AudioLock lock;
  if (Module* module = Find(handle)) {
    openmpt_module_set_render_param(
        module->module.get(), OPENMPT_MODULE_RENDER_STEREOSEPARATION_PERCENT,
        static_cast<int32_t>(std::lround(Clamp01(separation) * 100.0f)));
  }
}

void MixerSetEndCallback(MixerHandle handle, MixerEndCallback callback, void* user) {
  AudioLock lock;
  if (Module* module = Find(handle)) {
    module->onEnd = callback;
    module->user = user;
  }
}

void MixerRender(int16_t* out, size_t frames) {
  const size_t done = RenderPlaying(out, frames);
  std::fill(out + 2 * done, out + 2 * frames, int16_t{0});
}
