// Generates the demo issue's search box, DATA_DIR/panels/search.png (see
// search_box.h); the demo's configs/search.txt places it.
#include <cstdio>

#include "generators/search_box.h"

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
  if (!WriteSearchBox(argv[1], text)) {
    std::fprintf(stderr, "make_search_box: cannot write %s/panels/search.png\n", argv[1]);
    return 1;
  }
  return 0;
}
