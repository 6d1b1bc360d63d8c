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

// Little-endian bytes of value.
inline void PutLittleEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The 54 header bytes of a bottom-up 24-bit BMP whose rows need no padding
// (width a multiple of 4); the pixels follow as blue, green, red.
inline std::vector<uint8_t> Bmp24Header(uint32_t width, uint32_t height) {
  std::vector<uint8_t> out;
  PutLittleEndian(out, 0x4D42, 2);  // "BM"
  PutLittleEndian(out, 54 + width * height * 3, 4);
  PutLittleEndian(out, 0, 4);
  PutLittleEndian(out, 54, 4);  // pixel data offset
  PutLittleEndian(out, 40, 4);  // information header size
  PutLittleEndian(out, width, 4);
  PutLittleEndian(out, height, 4);
  PutLittleEndian(out, 1, 2);   // planes
  PutLittleEndian(out, 24, 2);  // bits per pixel
  for (int field = 0; field < 6; ++field) PutLittleEndian(out, 0, 4);
  return out;
}
