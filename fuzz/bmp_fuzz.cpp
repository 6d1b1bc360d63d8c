// Fuzzes the BMP decoder on a file made of the input. A damaged file must load
// or fail with an empty picture; a fatal error, a crash, an overrun or a leak
// is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/fatal.h"
#include "resources/file_ptr.h"
#include "resources/image_loader.h"

namespace {

constexpr char INPUT_NAME[] = "input.bmp";

[[noreturn]] void AbortOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "fatal error from the decoder: %s\n", message);
  std::abort();
}

void EnterScratchDir() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/bmp_fuzz_XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  SetFatalHandler(AbortOnFatal);
  entered = true;
}

void WriteInput(const uint8_t* data, size_t size) {
  FilePtr out = OpenFile(INPUT_NAME, "wb");
  if (!out || (size > 0 && std::fwrite(data, size, 1, out.get()) != 1)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir();
  WriteInput(data, size);
  Picture picture{};
  const bool loaded = LoadBmp(INPUT_NAME, picture);
  if (loaded == (picture.pixels == nullptr)) std::abort();
  return 0;
}
