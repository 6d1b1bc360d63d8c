// Generates the demo issue's covers into DATA_DIR/panels: the opening cover
// (CoverBeg.png), the closing cover (CoverEnd.png) and the credits that
// scroll over the closing cover's right part (EndScroll.png).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/canvas.h"
#include "generators/png_writer.h"

namespace {

constexpr int W = 640, H = 480;
// The reader scrolls the credits at this column; the closing cover keeps the
// area right of it plain, in the credits' own background.
constexpr int SCROLL_X = 362;
constexpr int SCROLL_W = 270;
constexpr int SCROLL_MARGIN = 8;
constexpr uint32_t NAVY = 0x0A1430u, NAVY_LIGHT = 0x22356Au, NIGHT = 0x060A20u;
constexpr uint32_t GOLD = 0xFFD040u, SKY = 0x80C0FFu, INK = 0xE8ECF4u;

double Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

void Stars(Canvas& c, int right, int bottom, double density) {
  for (int y = 0; y < bottom; ++y) {
    for (int x = 0; x < right; ++x) {
      double n = Noise(x, y);
      if (n > 1.0 - density) Plot(c, x, y, 0xFFFFFFu, (n - 1.0 + density) / density * 0.8);
    }
  }
}

void Emblem(Canvas& c, double cx, double cy, double scale) {
  Disc(c, cx, cy, 118 * scale, 0x1C2A68u);
  Ring(c, cx, cy, 92 * scale, 16 * scale, GOLD);
  Ring(c, cx, cy, 62 * scale, 5 * scale, SKY);
  Disc(c, cx, cy, 26 * scale, GOLD);
}

void Frame(Canvas& c, int x, int y, int w, int h, uint32_t colour) {
  FillBox(c, x, y, w, 2, colour);
  FillBox(c, x, y + h - 2, w, 2, colour);
  FillBox(c, x, y, 2, h, colour);
  FillBox(c, x + w - 2, y, 2, h, colour);
}

Canvas OpeningCover(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  VerticalGradient(c, 0, 0, W, H, NIGHT, NAVY_LIGHT);
  Stars(c, W, H, 0.004);
  Frame(c, 14, 14, W - 28, H - 28, GOLD);
  Frame(c, 20, 20, W - 40, H - 40, Mix(GOLD, NAVY, 0.6));
  Emblem(c, 320, 170, 0.9);
  text.DrawCentred(c, 0, 300, W, 70, U"MARROWIN", 64, GOLD);
  text.DrawCentred(c, 0, 364, W, 30, U"Issue #1", 24, SKY);
  text.DrawCentred(c, 0, 404, W, 30, U"a magazine you read on the screen", 16, INK);
  return c;
}

Canvas ClosingCover(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  VerticalGradient(c, 0, 0, SCROLL_X, H, NIGHT, NAVY_LIGHT);
  Stars(c, SCROLL_X - 8, H, 0.004);
  FillBox(c, SCROLL_X, 0, W - SCROLL_X, H, NAVY);
  FillBox(c, SCROLL_X - 6, 0, 2, H, GOLD);
  const int mid = (SCROLL_X - 6) / 2;
  Emblem(c, mid, 150, 0.7);
  text.DrawCentred(c, 0, 250, SCROLL_X - 6, 60, U"MARROWIN", 46, GOLD);
  text.DrawCentred(c, 0, 304, SCROLL_X - 6, 30, U"Issue #1", 20, SKY);
  text.DrawCentred(c, 0, 360, SCROLL_X - 6, 30, U"Thanks for reading", 22, INK);
  text.DrawCentred(c, 0, 394, SCROLL_X - 6, 24, U"See you in the next issue", 14, SKY);
  return c;
}

enum class Kind { Title, Heading, Line, Gap };

struct CreditLine {
  Kind kind;
  std::u32string text;
};

std::vector<CreditLine> Credits() {
  std::vector<CreditLine> lines = {{Kind::Title, U"MARROWIN"}, {Kind::Line, U"Issue #1"},
                                   {Kind::Gap, U""}};
  const auto section = [&](std::u32string heading, std::vector<std::u32string> body) {
    lines.push_back({Kind::Heading, std::move(heading)});
    for (auto& line : body) lines.push_back({Kind::Line, std::move(line)});
    lines.push_back({Kind::Gap, U""});
  };
  section(U"Engine", {U"written by", U"the Marrowin team"});
  section(U"Articles", {U"written by", U"the Marrowin team"});
  section(U"Panels", {U"designed and drawn by", U"the Marrowin team"});
  section(U"Pictures", {U"drawn in code by", U"the Marrowin team"});
  section(U"Fonts", {U"DejaVu and Liberation", U"from Debian's font packages"});
  section(U"Music", {U"Opening", U"Harbour Lights", U"Sector Zero", U"Copper Bars", U"Night Shift",
                     U"", U"composed for this issue", U"by the Marrowin team"});
  section(U"Gallery", {U"painted in code by", U"the Marrowin team"});
  lines.push_back({Kind::Gap, U""});
  lines.push_back({Kind::Heading, U"Thanks for reading!"});
  return lines;
}

int Advance(Kind kind) {
  switch (kind) {
    case Kind::Title: return 48;
    case Kind::Heading: return 30;
    case Kind::Line: return 22;
    case Kind::Gap: return 26;
  }
  return 0;
}

// A line too wide for the column is set smaller rather than cut.
void Centred(Canvas& c, TextPainter& text, int y, const std::u32string& line, int size,
             uint32_t colour) {
  while (size > 8 && text.Measure(line, size) > SCROLL_W - 2 * SCROLL_MARGIN) --size;
  text.DrawCentred(c, 0, y, SCROLL_W, size + 8, line, size, colour);
}

// Starts and ends with blank rows, so that the loop enters and leaves cleanly.
Canvas EndScroll(TextPainter& text) {
  const std::vector<CreditLine> lines = Credits();
  int height = 2 * 60;
  for (const CreditLine& line : lines) height += Advance(line.kind);
  Canvas c = MakeCanvas(SCROLL_W, height, NAVY);
  int y = 60;
  for (const CreditLine& line : lines) {
    switch (line.kind) {
      case Kind::Title: Centred(c, text, y, line.text, 36, GOLD); break;
      case Kind::Heading:
        Centred(c, text, y, line.text, 18, GOLD);
        FillBox(c, SCROLL_W / 2 - 30, y + 27, 60, 1, Mix(GOLD, NAVY, 0.5));
        break;
      case Kind::Line: Centred(c, text, y, line.text, 14, INK); break;
      case Kind::Gap: break;
    }
    y += Advance(line.kind);
  }
  return c;
}

bool Write(const std::string& path, const Canvas& c) {
  return WritePng(path, c.width, c.height, c.pixels);
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
  const std::string dir = std::string(argv[1]) + "/panels";
  std::filesystem::create_directories(dir);
  const bool ok = Write(dir + "/CoverBeg.png", OpeningCover(text)) &&
                  Write(dir + "/CoverEnd.png", ClosingCover(text)) &&
                  Write(dir + "/EndScroll.png", EndScroll(text));
  if (!ok) std::fprintf(stderr, "make_covers: cannot write the covers in %s\n", dir.c_str());
  return ok ? 0 : 1;
}
