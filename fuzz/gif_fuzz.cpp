// Fuzzes the GIF decoder on a file made of the input, with and without a
// palette. A damaged file must load or fail cleanly, alike either way; a fatal
// error, a crash, an overrun or a leak is a finding.
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/fatal.h"
#include "resources/file_ptr.h"
#include "resources/image_loader.h"

namespace {

constexpr char INPUT_NAME[] = "input.gif";

[[noreturn]] void AbortOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "fatal error from the decoder: %s\n", message);
  std::abort();
}

void EnterScratchDir() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/gif_fuzz_XXXXXX";
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
  IndexedPicture picture{};
  std::array<uint8_t, GIF_PALETTE_SIZE> palette;
  const int withPalette = LoadGif(INPUT_NAME, picture, palette.data());
  const int without = LoadGif(INPUT_NAME, picture, nullptr);
  if (withPalette != without || (without == 0) != (picture.pixels == nullptr)) std::abort();
  return 0;
}
