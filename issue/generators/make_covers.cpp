// Generates the demo issue's covers into DATA_DIR/panels (see cover_writer.h).
#include <cstdio>

#include "generators/cover_writer.h"

namespace {

CoverWords DemoWords() {
  const std::vector<std::u32string> team = {U"written by", U"the Marrowin team"};
  return {U"MARROWIN", U"Issue #1", U"a magazine you read on the screen",
          {{U"Engine", team},
           {U"Articles", team},
           {U"Panels", {U"designed and drawn by", U"the Marrowin team"}},
           {U"Pictures", {U"drawn in code by", U"the Marrowin team"}},
           {U"Fonts", {U"DejaVu and Liberation", U"from Debian's font packages"}},
           {U"Music", {U"Opening", U"Harbour Lights", U"Sector Zero", U"Copper Bars", U"Night Shift",
                       U"", U"composed for this issue", U"by the Marrowin team"}},
           {U"Gallery", {U"painted in code by", U"the Marrowin team"}}}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: make_covers DATA_DIR FONT.ttf\n", stderr);
    return 2;
  }
  TextPainter text(argv[2]);
  if (!text.ok()) {
    std::fprintf(stderr, "make_covers: cannot read the font %s\n", argv[2]);
    return 1;
  }
  const bool ok = WriteCovers(argv[1], text, DemoWords());
  if (!ok) std::fprintf(stderr, "make_covers: cannot write the covers in %s/panels\n", argv[1]);
  return ok ? 0 : 1;
}
