#include <benchmark/benchmark.h>


#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "resources/archive.h"
#include "text/font_manager.h"
#include "support/scratch_dir.h"

namespace {

constexpr int GLYPH_WIDTH = 8, GLYPH_HEIGHT = 16, LINES = 40, COLUMNS = 60;

// Printable codes with random ink: rows 2..13 hold about 40 % solid pixels
// and 20 % edge pixels, as a text face at this size does.
std::unique_ptr<GlyphTable> InkedTable(std::mt19937& rng) {
  auto table = std::make_unique<GlyphTable>();
  table->stride = 256;
  table->height = GLYPH_HEIGHT;
  table->solidBlock = std::make_unique<uint8_t[]>(256 * GLYPH_HEIGHT);
  table->edgeBlock = std::make_unique<uint8_t[]>(256 * GLYPH_HEIGHT);
  table->solid = table->solidBlock.get();
  table->edge = table->edgeBlock.get();
  std::uniform_int_distribution<int> percent(0, 99);
  for (int c = 33; c < 127; ++c) {
    table->offset[c] = c;
    table->width[c] = GLYPH_WIDTH;
    table->advance[c] = GLYPH_WIDTH;
    for (int r = 2; r < GLYPH_HEIGHT - 2; ++r) {
      for (int k = 0; k < GLYPH_WIDTH; ++k) {
        const int roll = percent(rng);
        if (roll < 40) table->solid[r * 256 + c] |= 1 << k;
        if (roll >= 40 && roll < 60) table->edge[r * 256 + c] |= 1 << k;
      }
    }
  }
  table->advance[' '] = GLYPH_WIDTH;
  GlyphTableFindInk(*table);
  return table;
}

std::vector<std::string> PageText(std::mt19937& rng) {
  std::uniform_int_distribution<int> code(32, 126);
  std::vector<std::string> lines(LINES);
  for (auto& line : lines) {
    for (int i = 0; i < COLUMNS; ++i) line += static_cast<char>(code(rng));
  }
  return lines;
}

void BM_FontDrawPage(benchmark::State& state) {
  std::mt19937 rng(7);
  const auto table = InkedTable(rng);
  const auto lines = PageText(rng);
  const FontManager manager{};
  Picture picture{};
  PictureAlloc(picture, 640, 480);
  for (auto _ : state) {
    for (int i = 0; i < LINES; ++i) {
      FontDraw(manager, lines[i].c_str(), 20, 16 + 11 * i, 0xE0C080, table.get(), picture, 1);
    }
    benchmark::DoNotOptimize(picture.pixels);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * LINES * COLUMNS);
}
BENCHMARK(BM_FontDrawPage)->Unit(benchmark::kMicrosecond);

// English-like lines of 60 characters.
std::vector<std::string> ProseText() {
  const char* words[] = {"the", "magazine", "reader", "turns", "its", "pages", "with", "music",
                         "and", "pictures", "of", "every", "issue", "quietly", "in", "a"};
  std::mt19937 rng(3);
  std::vector<std::string> lines(LINES);
  for (auto& line : lines) {
    while (line.size() < COLUMNS) line += std::string(words[rng() % 16]) + " ";
    line.resize(COLUMNS);
  }
  return lines;
}

// A real face at a text size: DejaVu Sans at 10 points (13 pixels), the way
// an article sets its body text.
void BM_FontDrawPageDejaVu(benchmark::State& state) {
  ScratchDir dir;
  std::filesystem::copy_file(TEST_FONT_DIR "/DejaVuSans.ttf", "sans.ttf");
  WriteFileBytes(RESOURCE_ARCHIVE_FILE, {});
  auto manager = FontManagerCreate();
  FontManagerAddFont(*manager, "sans.ttf");
  auto table = FontOpen(*manager, "sans.ttf", 10, 10, 0, 0, 0);
  const auto lines = ProseText();
  Picture picture{};
  PictureAlloc(picture, 640, 480);
  for (auto _ : state) {
    for (int i = 0; i < LINES; ++i) {
      FontDraw(*manager, lines[i].c_str(), 10, 14 + 11 * i, 0xE0C080, table.get(), picture, 1);
    }
    benchmark::DoNotOptimize(picture.pixels);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * LINES * COLUMNS);
  table.reset();
  FontManagerDestroy(manager);
  ResourceCloseAll();
}
BENCHMARK(BM_FontDrawPageDejaVu)->Unit(benchmark::kMicrosecond);

}  // namespace
