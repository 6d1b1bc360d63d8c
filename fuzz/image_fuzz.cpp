// Fuzzes ImageLoader: the input is a .png when it starts with the signature,
// else a .jpg. Fatal errors are expected; crashes, overruns and leaks are not.
#include <cstring>

#include "fuzz_support.h"
#include "resources/archive.h"
#include "pictures/image_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  bool png = size >= 4 && std::memcmp(data, "\x89PNG", 4) == 0;
  const char* name = png ? "fuzz.png" : "fuzz.jpg";
  WriteInput(name, data, size);
  Picture picture{};
  AllowFatal([&] { ImageLoader(name, picture); });
  ResourceCloseAll();
  return 0;
}
