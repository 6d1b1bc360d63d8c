#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "text/font_manager.h"

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

}  // namespace
