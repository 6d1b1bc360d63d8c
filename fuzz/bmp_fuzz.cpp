// Fuzzes the BMP decoder on a file made of the input. A damaged file must load
// or fail with an empty picture; a fatal error, a crash, an overrun or a leak
// is a finding.
#include "fuzz_support.h"
#include "resources/image_loader.h"

constexpr char INPUT_NAME[] = "input.bmp";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  WriteInput(INPUT_NAME, data, size);
  Picture picture{};
  const bool loaded = LoadBmp(INPUT_NAME, picture);
  if (loaded == (picture.pixels == nullptr)) std::abort();
  return 0;
}
