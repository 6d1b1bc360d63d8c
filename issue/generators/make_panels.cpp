// Generates the demo issue's three panels into DATA_DIR (see panel_writer.h):
// the classic panel, the music panel with two rows of tune buttons, and the
// page panel, one framed page.
#include <cstdio>

#include "generators/canvas.h"
#include "generators/panel_writer.h"

namespace {

std::vector<PanelSpec> DemoPanels() {
  const Theme plum{0x1A0A1E, 0x44204E, 0x2A1232, 0x1C0B22, 0x4FD6E0, 0x3A1A44, 0xF0E6F4};
  const Theme sepia{0x1C150F, 0x3A2C1E, 0x2B2118, 0x1E1710, 0xD9A066, 0x3C2E20, 0xF4EAD8};
  PanelSpec music{"music", 40, 392, 24, false, plum,
      {{U"TUNE 1", 9, 12, 400, 76, 34, false}, {U"TUNE 2", 10, 94, 400, 76, 34, false},
       {U"TUNE 3", 11, 176, 400, 76, 34, false}, {U"TUNE 4", 12, 258, 400, 76, 34, false},
       {U"SILENCE", 13, 340, 400, 90, 34, false}, {U"PLAYLIST", 14, 436, 400, 96, 34, true},
       {U"EXIT", 1, 12, 438, 64, 32, false}, {U"BACK", 17, 82, 438, 64, 32, false},
       {U"INDEX", 16, 152, 438, 68, 32, false}, {U"\u25C0 PREV", 4, 226, 438, 72, 32, false},
       {U"NEXT \u25B6", 3, 304, 438, 72, 32, false}, {U"PG\u25B2", 7, 382, 438, 48, 32, false},
       {U"PG\u25BC", 8, 436, 438, 48, 32, false}},
      {{ChainKind::Equalizer, 548, 400}, {ChainKind::Lamp, 268, 10}},
      12, 472, 200, 300, 6, 330, 28, U"MARROWIN \u00B7 MUSIC"};
  PanelSpec page{"page", 38, 436, 24, true, sepia,
      {{U"EXIT", 1, 12, 442, 60, 32, false}, {U"BACK", 17, 78, 442, 60, 32, false},
       {U"HELP", 2, 144, 442, 60, 32, false}, {U"INDEX", 16, 210, 442, 68, 32, true},
       {U"\u25B2", 5, 284, 442, 34, 32, false}, {U"\u25BC", 6, 322, 442, 34, 32, false},
       {U"PG\u25B2", 7, 362, 442, 48, 32, false}, {U"PG\u25BC", 8, 414, 442, 48, 32, false}},
      {{ChainKind::Emblem, 586, 436}},
      476, 16, 70, 20, 8, 440, 24, U""};
  return {ClassicPanel(U"MARROWIN"), music, page};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: make_panels DATA_DIR FONT.ttf\n", stderr);
    return 2;
  }
  TextPainter text(argv[2]);
  if (!text.ok()) {
    std::fprintf(stderr, "make_panels: cannot read the font %s\n", argv[2]);
    return 1;
  }
  const bool ok = WritePanels(argv[1], text, DemoPanels());
  if (!ok) std::fprintf(stderr, "make_panels: cannot write the panels in %s\n", argv[1]);
  return ok ? 0 : 1;
}
