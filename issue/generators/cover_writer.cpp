#include "generators/cover_writer.h"

#include <cstdint>
#include <filesystem>

#include "generators/file_writer.h"
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

// The largest size up to size at which line fits width.
int Fit(TextPainter& text, const std::u32string& line, int size, int width) {
  while (size > 8 && text.Measure(line, size) > width) --size;
  return size;
}

Canvas OpeningCover(TextPainter& text, const CoverWords& words) {
  Canvas c = MakeCanvas(W, H, 0);
  VerticalGradient(c, 0, 0, W, H, NIGHT, NAVY_LIGHT);
  Stars(c, W, H, 0.004);
  Frame(c, 14, 14, W - 28, H - 28, GOLD);
  Frame(c, 20, 20, W - 40, H - 40, Mix(GOLD, NAVY, 0.6));
  Emblem(c, 320, 170, 0.9);
  text.DrawCentred(c, 0, 300, W, 70, words.title, Fit(text, words.title, 64, W - 60), GOLD);
  text.DrawCentred(c, 0, 364, W, 30, words.issue, 24, SKY);
  text.DrawCentred(c, 0, 404, W, 30, words.tagline, 16, INK);
  return c;
}

Canvas ClosingCover(TextPainter& text, const CoverWords& words) {
  Canvas c = MakeCanvas(W, H, 0);
  VerticalGradient(c, 0, 0, SCROLL_X, H, NIGHT, NAVY_LIGHT);
  Stars(c, SCROLL_X - 8, H, 0.004);
  FillBox(c, SCROLL_X, 0, W - SCROLL_X, H, NAVY);
  FillBox(c, SCROLL_X - 6, 0, 2, H, GOLD);
  const int mid = (SCROLL_X - 6) / 2;
  Emblem(c, mid, 150, 0.7);
  text.DrawCentred(c, 0, 250, SCROLL_X - 6, 60, words.title,
                   Fit(text, words.title, 46, SCROLL_X - 30), GOLD);
  text.DrawCentred(c, 0, 304, SCROLL_X - 6, 30, words.issue, 20, SKY);
  text.DrawCentred(c, 0, 360, SCROLL_X - 6, 30, U"Thanks for reading", 22, INK);
  text.DrawCentred(c, 0, 394, SCROLL_X - 6, 24, U"See you in the next issue", 14, SKY);
  return c;
}

enum class Kind { Title, Heading, Line, Gap };

struct CreditLine {
  Kind kind;
  std::u32string text;
};

std::vector<CreditLine> Credits(const CoverWords& words) {
  std::vector<CreditLine> lines = {{Kind::Title, words.title}, {Kind::Line, words.issue},
                                   {Kind::Gap, U""}};
  for (const CreditSection& section : words.credits) {
    lines.push_back({Kind::Heading, section.heading});
    for (const std::u32string& line : section.lines) lines.push_back({Kind::Line, line});
    lines.push_back({Kind::Gap, U""});
  }
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
  size = Fit(text, line, size, SCROLL_W - 2 * SCROLL_MARGIN);
  text.DrawCentred(c, 0, y, SCROLL_W, size + 8, line, size, colour);
}

// Starts and ends with blank rows, so that the loop enters and leaves cleanly.
Canvas EndScroll(TextPainter& text, const CoverWords& words) {
  const std::vector<CreditLine> lines = Credits(words);
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

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The scroller's words as UTF-8 lines, a gap an empty line: the reader only
// shows the picture, a web page gives screen readers the text.
std::string EndScrollText(const CoverWords& words) {
  std::string text;
  for (const CreditLine& line : Credits(words)) {
    for (char32_t c : line.text) AppendUtf8(text, c);
    text += '\n';
  }
  return text;
}

bool Write(const std::string& path, const Canvas& c) {
  return WritePng(path, c.width, c.height, c.pixels);
}

}  // namespace

bool WriteCovers(const std::string& dataDir, TextPainter& text, const CoverWords& words) {
  const std::string dir = dataDir + "/panels";
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  return Write(dir + "/CoverBeg.png", OpeningCover(text, words)) &&
         Write(dir + "/CoverEnd.png", ClosingCover(text, words)) &&
         Write(dir + "/EndScroll.png", EndScroll(text, words)) &&
         WriteText(dir + "/EndScroll.txt", EndScrollText(words));
}
