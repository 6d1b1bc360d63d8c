// Generates the demo issue's search box, DATA_DIR/panels/search.png: a
// 600x56 navy plate with a gold rim, the label "Search:" and a dark field for
// the query. Black is the key colour: the corners outside the rim are black
// and nothing inside is. configs/search.txt places the box at (20, 212) and
// the query at pen 122, baseline 244, inside the field (FIELD_* below); the
// field holds the 60 characters of a query in the 8-pixel fixed font.
#include <cstdio>
#include <filesystem>
#include <string>

#include "generators/canvas.h"
#include "generators/png_writer.h"

namespace {

constexpr int W = 600, H = 56;
constexpr int FIELD_X = 96, FIELD_Y = 12, FIELD_W = 492, FIELD_H = 32;
constexpr uint32_t NAVY = 0x12204A, NAVY_LIGHT = 0x22356A, GOLD = 0xE8B84A;
constexpr uint32_t LABEL = 0xE8ECF4, FIELD = 0x060A1C, FIELD_EDGE = 0x4A5E96;

Canvas SearchBox(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  RoundedBox(c, 0, 0, W, H, 12, GOLD);
  RoundedBox(c, 2, 2, W - 4, H - 4, 10, NAVY);
  VerticalGradient(c, 8, 4, W - 16, H / 2 - 4, NAVY_LIGHT, NAVY);
  text.Draw(c, 14, FIELD_Y + 22, U"Search:", 17, LABEL);
  RoundedBox(c, FIELD_X, FIELD_Y, FIELD_W, FIELD_H, 6, FIELD_EDGE);
  RoundedBox(c, FIELD_X + 1, FIELD_Y + 1, FIELD_W - 2, FIELD_H - 2, 5, FIELD);
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: make_search_box DATA_DIR FONT.ttf\n", stderr);
    return 2;
  }
  TextPainter text(argv[2]);
  if (!text.ok()) {
    std::fprintf(stderr, "make_search_box: cannot read the font %s\n", argv[2]);
    return 1;
  }
  const std::filesystem::path dir = std::filesystem::path(argv[1]) / "panels";
  std::filesystem::create_directories(dir);
  const Canvas box = SearchBox(text);
  if (!WritePng((dir / "search.png").string(), box.width, box.height, box.pixels)) {
    std::fprintf(stderr, "make_search_box: cannot write %s\n", (dir / "search.png").c_str());
    return 1;
  }
  return 0;
}
