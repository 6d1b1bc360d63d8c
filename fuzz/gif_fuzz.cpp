// Fuzzes the GIF decoder on a file made of the input, with and without a
// palette. A damaged file must load or fail cleanly, alike either way; a fatal
// error, a crash, an overrun or a leak is a finding.
#include <array>

#include "fuzz_support.h"
#include "resources/image_loader.h"

constexpr char INPUT_NAME[] = "input.gif";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  WriteInput(INPUT_NAME, data, size);
  IndexedPicture picture{};
  std::array<uint8_t, GIF_PALETTE_SIZE> palette;
  const int withPalette = LoadGif(INPUT_NAME, picture, palette.data());
  const int without = LoadGif(INPUT_NAME, picture, nullptr);
  if (withPalette != without || (without == 0) != (picture.pixels == nullptr)) std::abort();
  return 0;
}
