// The player behind the music front: the FMOD player or the BASS player, by
// the setup's choice, or a stand-in that tests put in place.
#pragma once

#include <cstdint>

struct MsxBackend {
  void (*Init)(int32_t quality);   // 1 best, 2 normal, 3 poor
  void (*Play)(const char* name);  // a module path or "+SILENCE"
  void (*Stop)();
  void (*Resume)();  // the loaded module again from its beginning
  int32_t (*Finished)();
  void (*Shutdown)();
};

const MsxBackend& FmodBackend();
const MsxBackend& BassBackend();

// The backend MsxInit uses: the given one, or with null the setup's choice.
void MsxUseBackend(const MsxBackend* backend);
