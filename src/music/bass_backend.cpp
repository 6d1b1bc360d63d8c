// The BASS player: an output that cannot be opened leaves the run silent
// rather than ending it; a module that cannot be loaded is fatal.
#include <atomic>
#include <cstring>

#include "base/fatal.h"
#include "music/bass_layer.h"
#include "music/msx_backend.h"
#include "resources/resource_file.h"

namespace {

constexpr uint32_t WANTED_VERSION = 0x20001;
constexpr int32_t DEFAULT_DEVICE = -1;
constexpr uint32_t POOR_INIT_FLAGS = 1;
constexpr uint32_t POOR_LOAD_FLAGS = 4;
constexpr uint32_t LOAD_FLAGS = 6;
constexpr int32_t ALL_ORDERS = -1;
constexpr uint32_t FULL_VOLUME = 100;

struct BassPlayer {
  bool ready = false;
  uint32_t loadFlags = 0;
  HMUSIC music = 0;
};

constinit BassPlayer player;
// Written by the end sync on the audio thread.
constinit std::atomic<int32_t> ended{0};

void OnEnd(HSYNC, uint32_t, uint32_t, uint32_t) { ended.store(1); }

void Release() {
  if (player.music == 0) return;
  BASS_ChannelStop(player.music);
  BASS_MusicFree(player.music);
  player.music = 0;
}

bool Open(int32_t quality) {
  const HWND window = GetForegroundWindow();
  if (quality == 3) {
    player.loadFlags = POOR_LOAD_FLAGS;
    return BASS_Init(DEFAULT_DEVICE, 11025, POOR_INIT_FLAGS, window);
  }
  player.loadFlags = LOAD_FLAGS;
  return BASS_Init(DEFAULT_DEVICE, quality == 2 ? 22050 : 44100, 0, window);
}

void Init(int32_t quality) {
  player = BassPlayer{};
  ended.store(0);
  if (BASS_GetVersion() != WANTED_VERSION) FatalError("BASS version 1.2 was not loaded !");
  player.ready = Open(quality) && BASS_Start();
}

void StartMusic() {
  ended.store(0);
  BASS_MusicPlayEx(player.music, 0, ALL_ORDERS, true);
  BASS_SetVolume(FULL_VOLUME);
}

// Until the first load nothing is held, so the earlier module is always the
// one to let go.
void Play(const char* name) {
  if (!player.ready) return;
  Release();
  if (std::strcmp(name, "+SILENCE") == 0) return;
  player.music = BASS_MusicLoad(false, ResourceFile(name).name(), 0, 0, player.loadFlags);
  if (player.music == 0) FatalError("Can't play the file - open/load/format error (BASS)!");
  BASS_ChannelSetSync(player.music, BASS_SYNC_MIXTIME | BASS_SYNC_END, 0, OnEnd, 0);
  StartMusic();
}

void Stop() {
  if (player.ready && player.music != 0) BASS_ChannelStop(player.music);
}

// The module starts over, so an end it reached before no longer counts.
void Resume() {
  if (player.ready && player.music != 0) StartMusic();
}

int32_t Finished() { return player.ready ? ended.load() : 0; }

void Shutdown() {
  if (!player.ready) return;
  for (uint32_t volume = FULL_VOLUME; volume >= 1; --volume) BASS_SetVolume(volume);
  BASS_Free();
  player = BassPlayer{};
}

constexpr MsxBackend BASS_PLAYER = {Init, Play, Stop, Resume, Finished, Shutdown};

}  // namespace

const MsxBackend& BassBackend() { return BASS_PLAYER; }
