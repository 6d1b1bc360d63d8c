// What the fuzz targets share: a scratch directory to write inputs into, and
// the policy for fatal errors.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "engine/fatal.h"
#include "resources/file_ptr.h"

// Thrown in place of the exit by targets for which a fatal error is expected.
struct FatalStop : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline void ThrowOnFatal(int, const char*, const char* message) { throw FatalStop(message); }

// For decoders that report failure themselves: a fatal error is a finding.
[[noreturn]] inline void AbortOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "fatal error from the decoder: %s\n", message);
  std::abort();
}

// Makes a fresh directory under $TMPDIR (else /tmp) current and installs the
// fatal policy, once per run.
inline void EnterScratchDir(FatalHandler policy) {
  static bool entered = false;
  if (entered) return;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") +
                        "/diskmag_fuzz_XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) std::abort();
  SetFatalHandler(policy);
  entered = true;
}

inline void WriteInput(const char* name, const uint8_t* data, size_t size) {
  FilePtr out = OpenFile(name, "wb");
  if (!out || (size > 0 && std::fwrite(data, size, 1, out.get()) != 1)) std::abort();
}
