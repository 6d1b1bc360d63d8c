// The whole issue check over an archive: every fatal error of the engine is
// the check's own finding, so a crash, an overrun or a leak is the fuzzer's.
#include "fuzz_support.h"
#include "magtool/check_issue.h"
#include "resources/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, data, size);
  CheckIssue({});  // the archive and the folder of the scratch directory
  return 0;
}
