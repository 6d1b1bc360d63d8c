#include "music/bass_layer.h"

#include <cstdint>
#include <map>
#include <memory>

#include "music/module_mixer.h"

// Load and init flags are accepted as given: every module plays once, so its
// end sync is what tells the player to go on.

namespace {

struct Sync {
  HSYNC id;
  SYNCPROC proc;
  uint32_t user;
};

using SyncMap = std::map<HMUSIC, std::unique_ptr<Sync>>;

// One end sync a module; a new one replaces the last. A sync stays alive
// until the mixer no longer points at it (the swap happens under its lock).
class SyncTable {
 public:
  SyncTable() = default;
  SyncTable(const SyncTable&) = delete;
  SyncTable& operator=(const SyncTable&) = delete;
  // At exit with the output still open, the mixer (built first, so destroyed
  // later) must not call into freed syncs.
  ~SyncTable() {
    for (const auto& entry : syncs) {
      MixerSetEndCallback(static_cast<MixerHandle>(entry.first), nullptr, nullptr);
    }
  }
  SyncMap syncs;
};

SyncMap& Syncs() {
  static SyncTable table;
  return table.syncs;
}

void FireSync(MixerHandle handle, void* user) {
  const auto* sync = static_cast<const Sync*>(user);
  sync->proc(sync->id, static_cast<uint32_t>(handle), 0, sync->user);
}

MixerHandle HandleOf(uint32_t music) {
  return music <= INT32_MAX ? static_cast<MixerHandle>(music) : 0;
}

}  // namespace

uint32_t BASS_GetVersion() { return BASS_LAYER_VERSION; }

bool BASS_Init(int32_t, uint32_t rate, uint32_t, HWND) {
  return rate <= INT32_MAX && MixerOpen(static_cast<int32_t>(rate));
}

bool BASS_Start() { return MixerIsOpen(); }

void BASS_Free() {
  MixerClose();
  Syncs().clear();
}

// Only whole files are read: the player never loads from memory.
HMUSIC BASS_MusicLoad(bool mem, const void* file, uint32_t offset, uint32_t, uint32_t) {
  if (mem || file == nullptr || offset != 0 || !MixerIsOpen()) return 0;
  return static_cast<HMUSIC>(MixerLoad(static_cast<const char*>(file)));
}

void BASS_MusicFree(HMUSIC music) {
  MixerFree(HandleOf(music));
  Syncs().erase(music);
}

// Playing from an order always restarts it cleanly, so reset changes nothing.
bool BASS_MusicPlayEx(HMUSIC music, uint32_t pos, int32_t, bool) {
  return pos <= INT32_MAX && MixerPlayFrom(HandleOf(music), static_cast<int32_t>(pos));
}

bool BASS_ChannelStop(uint32_t channel) {
  const MixerHandle handle = HandleOf(channel);
  if (!MixerLoaded(handle)) return false;
  MixerStop(handle);
  return true;
}

HSYNC BASS_ChannelSetSync(uint32_t channel, uint32_t type, uint64_t, SYNCPROC proc, uint32_t user) {
  static HSYNC lastId = 0;
  const MixerHandle handle = HandleOf(channel);
  if ((type & ~BASS_SYNC_MIXTIME) != BASS_SYNC_END || proc == nullptr || !MixerLoaded(handle)) {
    return 0;
  }
  auto sync = std::make_unique<Sync>(Sync{++lastId, proc, user});
  MixerSetEndCallback(handle, FireSync, sync.get());
  const HSYNC id = sync->id;
  Syncs()[channel] = std::move(sync);  // the one replaced is no longer reachable
  return id;
}

bool BASS_SetVolume(uint32_t volume) {
  if (volume > 100) return false;
  MixerSetOutputVolume(static_cast<float>(volume) / 100.0f);
  return true;
}

HWND GetForegroundWindow() { return nullptr; }
