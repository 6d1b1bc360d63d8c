// Fuzzes the article parser and layout: the input is an article file, parsed
// into a fresh article. A fatal error is the parser's answer to a bad file
// and expected; a crash, an overrun or a leak is a finding.
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "articles/article.h"
#include "articles/article_parse.h"
#include "engine/engine.h"
#include "fuzz_support.h"
#include "resources/archive.h"

namespace {

// The fixed font, the fallback face and an empty archive, made once.
void PrepareFonts() {
  static const bool prepared = [] {
    WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
    const std::vector<uint8_t> fixed(4096, 0x55);
    WriteInput("fixed.fnt", fixed.data(), fixed.size());
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "arial.ttf");
    EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
    EngineFontManager = FontManagerCreate();
    FontManagerAddFont(*EngineFontManager, FALLBACK_FONT);
    // The library's own blocks are freed before the leak check at exit; the
    // faces give their files back, which needs the archive open.
    std::atexit([] {
      ResourceOpen(FALLBACK_FONT);
      FontManagerDestroy(EngineFontManager);
      ResourceCloseAll();
    });
    return true;
  }();
  (void)prepared;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  PrepareFonts();
  WriteInput("input.art", data, size);
  Article article{};
  try {
    ArticleParse(article, "DATA/articles/input.art");
  } catch (const FatalStop&) {
  }
  FontCacheFree(article.fontCache);
  ResourceCloseAll();
  return 0;
}
