// Fuzzes the TTT reader: the input is the ".ttt" beside a real font, opened and
// closed. A parse error is fatal and expected; a crash, overrun or leak is not.
#include <ft2build.h>

#include <filesystem>
#include FT_FREETYPE_H

#include "fuzz_support.h"
#include "resources/archive.h"
#include "text/truetype.h"

namespace {

// The library and the font file, made once for the run.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) std::abort();
    WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "font.ttf");
    return made;
  }();
  return library;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  FT_Library library = Library();
  WriteInput("font.ttt", data, size);
  AllowFatal([&] { TrueTypeClose(*TrueTypeOpen(library, "font.ttf")); });
  ResourceCloseAll();
  return 0;
}
