#include "music/fmod_layer.h"

#include <SDL.h>

#include <array>
#include <cstdint>

#include "music/module_mixer.h"
#include "resources/file_ptr.h"

namespace {

int32_t& LastError() {
  static int32_t error = FMOD_ERR_NONE;
  return error;
}

int8_t Fail(int32_t error) {
  LastError() = error;
  return 0;
}

// The module pointer is the mixer handle itself: handles are never reused, so
// a freed module's pointer is refused rather than reaching another module.
MixerHandle HandleOf(FMUSIC_MODULE* module) {
  const auto value = reinterpret_cast<uintptr_t>(module);
  return value > 0 && value <= INT32_MAX ? static_cast<MixerHandle>(value) : 0;
}

FMUSIC_MODULE* ModuleOf(MixerHandle handle) {
  return reinterpret_cast<FMUSIC_MODULE*>(static_cast<uintptr_t>(handle));
}

// The loaded module behind module, or 0 with FMOD_ERR_INVALID_PARAM.
MixerHandle Loaded(FMUSIC_MODULE* module) {
  const MixerHandle handle = HandleOf(module);
  if (!MixerLoaded(handle)) {
    LastError() = FMOD_ERR_INVALID_PARAM;
    return 0;
  }
  LastError() = FMOD_ERR_NONE;
  return handle;
}

bool Readable(const char* name) { return OpenFile(name, "rb") != nullptr; }

}  // namespace

float FSOUND_GetVersion() { return FMOD_LAYER_VERSION; }

// Whatever output, driver and mixer is asked for, SDL's output is what opens.
int8_t FSOUND_SetOutput(int32_t) { return 1; }
int8_t FSOUND_SetDriver(int32_t) { return 1; }
int8_t FSOUND_SetMixer(int32_t) { return 1; }

int8_t FSOUND_Init(int32_t rate, int32_t, uint32_t) {
  if (!MixerOpen(rate)) return Fail(FMOD_ERR_INIT);
  LastError() = FMOD_ERR_NONE;
  return 1;
}

int32_t FSOUND_GetError() { return LastError(); }

int32_t FSOUND_GetDriver() { return 0; }

const char* FSOUND_GetDriverName(int32_t driver) {
  static std::array<char, 64> name{};
  if (driver != 0) {
    LastError() = FMOD_ERR_INVALID_PARAM;
    return nullptr;
  }
  if (SDL_AudioDriverName(name.data(), static_cast<int>(name.size())) == nullptr) return "default";
  return name.data();
}

void FSOUND_Close() { MixerClose(); }

FMUSIC_MODULE* FMUSIC_LoadSong(const char* name) {
  if (!MixerIsOpen()) {
    LastError() = FMOD_ERR_UNINITIALIZED;
    return nullptr;
  }
  if (name == nullptr || !Readable(name)) {
    LastError() = FMOD_ERR_FILE_NOTFOUND;
    return nullptr;
  }
  const MixerHandle handle = MixerLoad(name);
  LastError() = handle == 0 ? FMOD_ERR_FILE_FORMAT : FMOD_ERR_NONE;
  return handle == 0 ? nullptr : ModuleOf(handle);
}

int8_t FMUSIC_PlaySong(FMUSIC_MODULE* module) {
  const MixerHandle handle = Loaded(module);
  if (handle == 0) return 0;
  MixerPlay(handle);
  return 1;
}

int8_t FMUSIC_StopSong(FMUSIC_MODULE* module) {
  const MixerHandle handle = Loaded(module);
  if (handle == 0) return 0;
  MixerStop(handle);
  return 1;
}

int8_t FMUSIC_FreeSong(FMUSIC_MODULE* module) {
  const MixerHandle handle = Loaded(module);
  if (handle == 0) return 0;
  MixerFree(handle);
  return 1;
}

int8_t FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int32_t volume) {
  const MixerHandle handle = Loaded(module);
  if (handle == 0) return 0;
  MixerSetModuleVolume(handle, static_cast<float>(volume) / 255.0f);
  return 1;
}

int8_t FMUSIC_SetPanSeperation(FMUSIC_MODULE* module, float separation) {
  const MixerHandle handle = Loaded(module);
  if (handle == 0) return 0;
  MixerSetSeparation(handle, separation);
  return 1;
}

int8_t FMUSIC_IsFinished(FMUSIC_MODULE* module) {
  const MixerHandle handle = Loaded(module);
  return handle != 0 && MixerFinished(handle) ? 1 : 0;
}
