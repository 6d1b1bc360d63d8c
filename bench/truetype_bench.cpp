// Rendering a whole character set of a TrueType font, against FreeType's own
// load-and-render of the same 256 codes at the same sizes and load flags as
// the yardstick. Target: BM_TrueTypeRender256 at most twice
// BM_FreeTypeLoadRender256 at each size, 24x48 included.
#include <benchmark/benchmark.h>
#include <ft2build.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include FT_FREETYPE_H

#include "resources/archive.h"
#include "text/truetype.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr std::array<uint8_t, 5> GRAYS = {0, 1, 2, 3, 4};

// A current scratch directory holding an empty archive and the font, and a
// FreeType library, for the length of one benchmark.
class FontScratch {
 public:
  FontScratch() {
    WriteFileBytes(RESOURCE_ARCHIVE_FILE, {});
    fs::copy_file(TEST_FONT_DIR "/DejaVuSans.ttf", "sans.ttf");
    if (FT_Init_FreeType(&library) != 0) std::abort();
  }
  ~FontScratch() {
    FT_Done_FreeType(library);
    ResourceCloseAll();
  }
  FontScratch(const FontScratch&) = delete;
  FontScratch& operator=(const FontScratch&) = delete;

  FT_Library library = nullptr;

 private:
  ScratchDir dir_;  // made before the constructor's body runs in it
};

void BM_TrueTypeRender256(benchmark::State& state) {
  FontScratch scratch;
  auto font = TrueTypeOpen(scratch.library, "sans.ttf");
  auto buffers = std::make_unique<RenderBuffers>();
  for (auto _ : state) {
    GlyphTable table{};
    table.sizeX = static_cast<int32_t>(state.range(0));
    table.sizeY = static_cast<int32_t>(state.range(1));
    TrueTypeRender(*font, table, *buffers, 1, GRAYS);
    benchmark::DoNotOptimize(table.solid);
  }
  TrueTypeClose(*font);
}
BENCHMARK(BM_TrueTypeRender256)->Args({8, 16})->Args({24, 48})->Unit(benchmark::kMicrosecond);

void BM_FreeTypeLoadRender256(benchmark::State& state) {
  FontScratch scratch;
  FT_Face face = nullptr;
  if (FT_New_Face(scratch.library, "sans.ttf", 0, &face) != 0) std::abort();
  FT_Set_Char_Size(face, state.range(0) * 64, state.range(1) * 64, 96, 96);
  for (auto _ : state) {
    for (FT_ULong code = 0; code < 256; ++code) {
      FT_Load_Char(face, code, FT_LOAD_NO_BITMAP | FT_LOAD_RENDER);
      benchmark::DoNotOptimize(face->glyph->bitmap.buffer);
    }
  }
}
BENCHMARK(BM_FreeTypeLoadRender256)->Args({8, 16})->Args({24, 48})->Unit(benchmark::kMicrosecond);

}  // namespace
