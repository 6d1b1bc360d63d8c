// The sound-library functions the FMOD player calls, with the values, error
// codes and behaviour it relies on, built on the module mixer. Modules are
// plain handles; a null handle is refused without harm.
// Private to music/: nothing outside it includes this header.
#pragma once

#include <cstdint>

struct FMUSIC_MODULE;

// What FSOUND_GetError reports.
enum FsoundErrors {
  FMOD_ERR_NONE = 0,
  FMOD_ERR_UNINITIALIZED = 2,
  FMOD_ERR_INIT = 3,
  FMOD_ERR_FILE_NOTFOUND = 9,
  FMOD_ERR_FILE_FORMAT = 10,
  FMOD_ERR_INVALID_PARAM = 14,
};

constexpr float FMOD_LAYER_VERSION = 3.4f;

float FSOUND_GetVersion();
int8_t FSOUND_SetOutput(int32_t output);  // 2 = DirectSound; any value opens SDL's output
int8_t FSOUND_SetDriver(int32_t driver);
int8_t FSOUND_SetMixer(int32_t mixer);
// Opens the output at rate; fails with FMOD_ERR_INIT when SDL cannot open it.
int8_t FSOUND_Init(int32_t rate, int32_t channels, uint32_t flags);
int32_t FSOUND_GetError();
int32_t FSOUND_GetDriver();
const char* FSOUND_GetDriverName(int32_t driver);
void FSOUND_Close();

// Null with FMOD_ERR_FILE_NOTFOUND or FMOD_ERR_FILE_FORMAT (or
// FMOD_ERR_UNINITIALIZED before FSOUND_Init).
FMUSIC_MODULE* FMUSIC_LoadSong(const char* name);
int8_t FMUSIC_PlaySong(FMUSIC_MODULE* module);  // from the beginning
int8_t FMUSIC_StopSong(FMUSIC_MODULE* module);
int8_t FMUSIC_FreeSong(FMUSIC_MODULE* module);
int8_t FMUSIC_SetMasterVolume(FMUSIC_MODULE* module, int32_t volume);     // 0..255
int8_t FMUSIC_SetPanSeperation(FMUSIC_MODULE* module, float separation);  // 0..1
int8_t FMUSIC_IsFinished(FMUSIC_MODULE* module);
