// Fuzzes ImageLoader over PNG and JPEG files: the input is the file, named
// .png when it starts with the PNG signature and .jpg otherwise, and loaded
// through the archive's fallback from a scratch directory. Fatal errors are
// the loader's way to fail; crashes, overruns and leaks are findings.
#include <cstring>

#include "fuzz_support.h"
#include "resources/archive.h"
#include "resources/image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  bool png = size >= 4 && std::memcmp(data, "\x89PNG", 4) == 0;
  const char* name = png ? "fuzz.png" : "fuzz.jpg";
  WriteInput(name, data, size);
  Picture picture{};
  try {
    ImageLoader(name, picture);
  } catch (const FatalStop&) {
  }
  ResourceCloseAll();
  return 0;
}
