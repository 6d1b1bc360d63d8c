// Fuzzes the small configuration readers: the first byte chooses the setup file
// (even), the issue's name (low bits 3) or the keys (other odd), the rest is the
// file. A setup range error is expected; a key table unlike the file's first 96
// bytes, a name the reader cannot show, a crash, an overrun or a leak is not.
#include <array>

#include "base/setup_config.h"
#include "engine/keys.h"
#include "setup/setup_file.h"
#include "fuzz_support.h"
#include "resources/archive.h"
#include "resources/issue_name.h"

namespace {

void ReadSetup() {
  SetupConfig config;
  SetupDefaults(config);
  AllowFatal([&] { ReadSetupFile(config); });
}

// Bytes past the end of a short file count as 0.
void ReadKeysAndCheck(const uint8_t* data, size_t size) {
  KeyTable keys;
  KeyState flags;
  KeyTapLatch taps;
  KeyStateCreate(keys, flags, taps);
  std::array<uint8_t, KEY_SLOTS * 4> bytes{};
  for (size_t i = 0; i < size && i < bytes.size(); ++i) bytes[i] = data[i];
  for (size_t slot = 0; slot < keys.size(); ++slot) {
    uint32_t value = 0;
    for (size_t b = 0; b < 4; ++b) value |= uint32_t{bytes[slot * 4 + b]} << (8 * b);
    if (keys[slot] != static_cast<int32_t>(value)) std::abort();
  }
}

// A name taken from the file is one the reader can show.
void ReadNameAndCheck() {
  const IssueName read = ReadIssueName();
  if (!read.name.empty() && IssueNameProblem(read.name) != nullptr) std::abort();
  if (!read.name.empty() && read.problem != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  if ((data[0] & 3) == 3) {
    WriteInput("issue.txt", data + 1, size - 1);
    ReadNameAndCheck();
  } else if ((data[0] & 1) != 0) {
    WriteInput("keydefs.cfg", data + 1, size - 1);
    ReadKeysAndCheck(data + 1, size - 1);
  } else {
    WriteInput("setup.cfg", data + 1, size - 1);
    ReadSetup();
  }
  ResourceCloseAll();
  return 0;
}
