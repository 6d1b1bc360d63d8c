// Fuzzes an article as the reader runs it: loaded, paginated for a panel's
// middle and drawn page by page with the demo's faces, then closed. A fatal
// error is expected; a crash, an overrun or a leak is a finding.
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include "articles/article.h"
#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "fuzz_support.h"
#include "resources/archive.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

namespace {

constexpr int PAGE_STEPS = 40;  // enough for the seeds; bounds a run's time

struct Face {
  const char* file;
  const char* path;
};

constexpr Face FACES[] = {
    {"/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "DATA/fonts/arial.ttf"},
    {"/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf", "DATA/fonts/serif.ttf"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", "DATA/fonts/mono.ttf"},
};

std::unique_ptr<FixedFont> fixedFont;
std::unique_ptr<FontManager> fontManager;

// The fixed font, the faces and an empty archive, made once.
void PrepareFonts() {
  static const bool prepared = [] {
    WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
    const std::vector<uint8_t> fixed(4096, 0x55);
    WriteInput("fixed.fnt", fixed.data(), fixed.size());
    fixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
    fontManager = FontManagerCreate();
    for (const Face& face : FACES) {
      std::filesystem::copy_file(face.file, std::filesystem::path(face.path).filename());
      FontManagerAddFont(*fontManager, face.path);
    }
    // The library's own blocks are freed before the leak check at exit; the
    // faces give their files back, which needs the archive open.
    std::atexit([] {
      for (const Face& face : FACES) ResourceOpen(face.path);
      FontManagerDestroy(fontManager);
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
  static Picture view = [] {
    Picture p{};
    PictureAlloc(p, 640, 352);
    return p;
  }();
  Article article{};
  AllowFatal([&] {
    ArticleLoad(article, "DATA/arts/input.art", {fontManager.get(), fixedFont.get()});
    ArticleSetView(article, view);
    for (int step = 0; step < PAGE_STEPS; ++step) {
      ArticleDraw(article, 28, {.hitTest = true, .left = true, .right = true});
      const int32_t before = ArticleGetScroll(article).scrollY;
      ArticlePageForward(article);
      if (ArticleGetScroll(article).scrollY == before) break;
    }
    ArticleClose(article);
  });
  ResourceCloseAll();
  return 0;
}
