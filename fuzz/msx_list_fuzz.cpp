// Fuzzes the module list reader and the stepping over what it read: the input
// is "msx.txt". A count out of range or a short list is the reader's fatal
// error and expected; a crash, an overrun, a leak or an overflow is a finding.
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
