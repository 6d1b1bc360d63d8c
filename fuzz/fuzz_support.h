// What the fuzz targets share: a scratch directory for inputs, and the fatal policy.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/fatal.h"
#include "resources/file_ptr.h"

// Thrown in place of the exit by targets for which a fatal error is expected.
struct FatalStop : std::runtime_error {
  using std::runtime_error::runtime_error;
};

inline void ThrowOnFatal(int, const char*, const char* message) { throw FatalStop(message); }

// Runs body, whose fatal error is the engine's answer to a bad input.
template <typename Body>
void AllowFatal(Body&& body) {
  try {
    body();
  } catch (const FatalStop&) {
  }
}

// For decoders that report failure themselves: a fatal error is a finding.
[[noreturn]] inline void AbortOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "fatal error from the decoder: %s\n", message);
  std::abort();
}

// Makes a fresh directory under $TMPDIR (else /tmp) current and sets the policy, once.
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

// A fresh file each time: ext4 writes a truncated one out at close, slower than the run.
inline void WriteInput(const char* name, const uint8_t* data, size_t size) {
  std::remove(name);
  FilePtr out = OpenFile(name, "wb");
  if (!out || (size > 0 && std::fwrite(data, size, 1, out.get()) != 1)) std::abort();
}
