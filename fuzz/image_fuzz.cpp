// Fuzzes ImageLoader over PNG and JPEG files: the input is the file, named
// .png when it starts with the PNG signature and .jpg otherwise, and loaded
// through the archive's fallback from a scratch directory.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "engine/fatal.h"
#include "resources/archive.h"
#include "resources/file_ptr.h"
#include "resources/image_loader.h"

namespace {

struct Stopped : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void ThrowFatal(int, const char*, const char* message) { throw Stopped(message); }

void EnterScratchDir() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/image_fuzz_XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) std::abort();
  FilePtr archive = OpenFile(RESOURCE_ARCHIVE_FILE, "wb");
  SetFatalHandler(ThrowFatal);
  entered = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir();
  bool png = size >= 4 && std::memcmp(data, "\x89PNG", 4) == 0;
  const char* name = png ? "fuzz.png" : "fuzz.jpg";
  {
    FilePtr out = OpenFile(name, "wb");
    if (!out || (size > 0 && std::fwrite(data, size, 1, out.get()) != 1)) std::abort();
  }
  Picture picture{};
  try {
    ImageLoader(name, picture);
  } catch (const Stopped&) {
  }
  ResourceCloseAll();
  return 0;
}
