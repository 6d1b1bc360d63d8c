// Fuzzes the GIF decoder with and without a palette: a damaged file must load
// or fail alike either way, with the same indices; a fatal error, a crash, an
// overrun or a leak is a finding.
#include <array>
#include <cstring>

#include "fuzz_support.h"
#include "pictures/image_loader.h"

constexpr char INPUT_NAME[] = "input.gif";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  WriteInput(INPUT_NAME, data, size);
  IndexedPicture picture{}, other{};
  std::array<uint8_t, GIF_PALETTE_SIZE> palette;
  const bool withPalette = LoadGif(INPUT_NAME, picture, palette.data());
  const bool without = LoadGif(INPUT_NAME, other, nullptr);
  if (withPalette != without || !without != (other.pixels == nullptr)) std::abort();
  const size_t pixels = static_cast<size_t>(other.width) * static_cast<size_t>(other.height);
  if (without && (picture.width != other.width || picture.height != other.height ||
                       std::memcmp(picture.pixels, other.pixels, pixels) != 0)) {
    std::abort();
  }
  return 0;
}
