// Fuzzes the module list "msx.txt" and stepping over it. A bad count or a short
// list is fatal and expected; a crash, overrun, leak or overflow is a finding.
#include <cstring>

#include "base/setup_config.h"
#include "fuzz_support.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "resources/archive.h"

namespace {

// Touches the name so that a dangling or unterminated one shows.
constexpr MsxBackend SILENT_PLAYER = {
    [](int32_t) {},
    [](const char* name) { (void)std::strlen(name); },
    [] {},
    [] {},
    [] { return int32_t{1}; },
    [] {},
};

void Session(int32_t startingTune) {
  SetupConfig setup{};
  setup.UseMsxPlayer = 1;
  setup.StartingTune = startingTune;
  try {
    MsxInit(setup);
  } catch (const FatalStop&) {
    return;
  }
  MsxNext();
  MsxPrev();
  MsxPlay("+PLIST");
  MsxPoll();
  MsxPlayIndex(startingTune);
  MsxPlayIndex(INT32_MIN);
  MsxPauseToggle();
  MsxShutdown();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  MsxUseBackend(&SILENT_PLAYER);
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  WriteInput("msx.txt", data, size);
  for (int32_t tune : {0, INT32_MAX, INT32_MIN}) Session(tune);
  MsxShutdown();
  ResourceCloseAll();
  return 0;
}
