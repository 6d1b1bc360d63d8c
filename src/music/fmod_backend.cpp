// The FMOD player: one song at a time, every failure fatal.
#include <cstdio>
#include <cstring>
#include <iterator>

#include "base/fatal.h"
#include "music/fmod_layer.h"
#include "music/msx_backend.h"
#include "resources/resource_file.h"

namespace {

constexpr int32_t OUTPUT_DIRECTSOUND = 2;
constexpr int32_t FIRST_DRIVER = 0;
constexpr int32_t MIXER_TYPE = 4;
constexpr int32_t CHANNELS = 32;
constexpr double COMPILED_VERSION = 3.4;
constexpr float PAN_SEPARATION = 0.15f;
constexpr int32_t FULL_VOLUME = 255;

constexpr const char* ERROR_TEXTS[] = {
    "No errors",
    "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first.",
    "This command failed because FSOUND_Init was not called",
    "Error initializing output device.",
    "The output device is already in use and cannot be reused.",
    "Playing the sound failed.",
    "Soundcard does not support the features needed for this soundsystem (16bit stereo output)",
    "Error setting cooperative level for hardware.",
    "Error creating hardware sound buffer.",
    "File not found",
    "Unknown file format",
    "Error loading file",
    "Not enough memory ",
    "The version number of this file format is not supported",
    "An invalid parameter was passed to this function",
    "Tried to use an EAX command on a non EAX enabled channel or output.",
    "Tried to use an advanced EAX2 command on a non EAX2 enabled channel or output.",
    "Failed to allocate a new channel",
    "Recording not supported on this device",
    "Required Mediaplayer codec is not installed",
};

const char* ErrorText(int32_t code) {
  constexpr auto known = static_cast<int32_t>(std::size(ERROR_TEXTS));
  return code >= 0 && code < known ? ERROR_TEXTS[code] : "Unknown error";
}

int32_t RateFor(int32_t quality) {
  if (quality == 2) return 22050;
  return quality == 3 ? 11025 : 44100;
}

// The extension check FMOD's loader wants: ".mo3" in either case, at the very end.
bool IsMo3(const char* name) {
  const size_t length = std::strlen(name);
  if (length < 3) return false;
  const char* tail = name + length - 3;
  return (tail[0] | 0x20) == 'm' && (tail[1] | 0x20) == 'o' && tail[2] == '3';
}

constinit FMUSIC_MODULE* song = nullptr;

void Release() {
  if (song == nullptr) return;
  FMUSIC_StopSong(song);
  FMUSIC_FreeSong(song);
  song = nullptr;
}

void Init(int32_t quality) {
  song = nullptr;
  std::printf("\n FMOD version %f [compiled witch version: %f] \n\n",
              static_cast<double>(FSOUND_GetVersion()), COMPILED_VERSION);
  std::fflush(stdout);
  FSOUND_SetOutput(OUTPUT_DIRECTSOUND);
  FSOUND_SetDriver(FIRST_DRIVER);
  FSOUND_SetMixer(MIXER_TYPE);
  if (!FSOUND_Init(RateFor(quality), CHANNELS, 0)) {
    const char* message = ErrorText(FSOUND_GetError());
    FSOUND_Close();
    FatalError(message);
  }
  const char* driver = FSOUND_GetDriverName(FSOUND_GetDriver());
  std::printf("\n DriverName = %s ", driver != nullptr ? driver : "");
  std::fflush(stdout);
}

// Until the first load nothing is held, so the earlier song is always the
// one to let go.
void Play(const char* name) {
  if (IsMo3(name)) FatalError("FMOD: MO3 format not supported !");
  Release();
  if (std::strcmp(name, "+SILENCE") == 0) return;
  ResourceFile file(name);
  song = FMUSIC_LoadSong(file.name());
  if (song == nullptr) {
    const char* message = ErrorText(FSOUND_GetError());
    file.Close();
    FatalError(message);
  }
  FMUSIC_PlaySong(song);
  FMUSIC_SetPanSeperation(song, PAN_SEPARATION);
  FMUSIC_SetMasterVolume(song, FULL_VOLUME);
}

void Stop() {
  if (song != nullptr) FMUSIC_StopSong(song);
}

void Resume() {
  if (song != nullptr) FMUSIC_PlaySong(song);
}

int32_t Finished() { return song != nullptr && FMUSIC_IsFinished(song) ? 1 : 0; }

void Shutdown() {
  if (song != nullptr) FMUSIC_SetMasterVolume(song, 0);
  Release();
  FSOUND_Close();
}

constexpr MsxBackend FMOD_PLAYER = {Init, Play, Stop, Resume, Finished, Shutdown};

}  // namespace

const MsxBackend& FmodBackend() { return FMOD_PLAYER; }
