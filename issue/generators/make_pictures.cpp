// Generates the demo issue's fixed pictures into DATA_DIR/panels (see
// fixed_pictures.h), and the articles' pictures into DATA_DIR/pictures: a
// landscape, an emblem, link buttons with their hover variants, a palette
// strip, a stripe that scrolls sideways and a tile that scrolls upwards.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/canvas.h"
#include "generators/fixed_pictures.h"
#include "generators/png_writer.h"

namespace {

constexpr double PI = 3.14159265358979323846;

bool WriteCanvas(const std::string& path, const Canvas& canvas) {
  return WritePng(path, canvas.width, canvas.height, canvas.pixels);
}

// Pure black is transparent in articles: lift it wherever it is not meant.
void NoHoles(Canvas& canvas) {
  for (uint32_t& pixel : canvas.pixels) {
    if (pixel == 0) pixel = 0x010101u;
  }
}

// Evening hills over a lake, 200x120.
bool MakeScene(const std::string& path) {
  Canvas canvas = MakeCanvas(200, 120, 0x203060u);
  VerticalGradient(canvas, 0, 0, 200, 80, 0x182858u, 0xF0A060u);
  Disc(canvas, 140, 62, 14, 0xFFE0A0u);
  for (int x = 0; x < 200; ++x) {
    int far = 58 + static_cast<int>(8 * std::sin(x / 17.0) + 4 * std::sin(x / 7.0));
    int near = 70 + static_cast<int>(6 * std::sin(x / 29.0 + 1.0) + 3 * std::sin(x / 5.0));
    for (int y = far; y < 80; ++y) Plot(canvas, x, y, 0x50406Au, 1.0);
    for (int y = near; y < 80; ++y) Plot(canvas, x, y, 0x2A2840u, 1.0);
  }
  VerticalGradient(canvas, 0, 80, 200, 40, 0x6070A0u, 0x182040u);
  for (int y = 82; y < 120; y += 3) {
    int half = 4 + (y - 80) / 2;
    for (int x = 140 - half; x <= 140 + half; x += 2) Plot(canvas, x, y, 0xFFD090u, 0.5);
  }
  NoHoles(canvas);
  return WriteCanvas(path, canvas);
}

// The magazine's gold ring on a blue disc, 96x96; the corners stay black, so
// the page shows through them.
bool MakeEmblem(const std::string& path) {
  Canvas canvas = MakeCanvas(96, 96, 0u);
  Disc(canvas, 47.5, 47.5, 46, 0x1C2A68u);
  Ring(canvas, 47.5, 47.5, 36, 6, 0xFFD040u);
  Ring(canvas, 47.5, 47.5, 24, 2, 0x80C0FFu);
  Disc(canvas, 47.5, 47.5, 10, 0xFFD040u);
  return WriteCanvas(path, canvas);
}

// A 120x32 button with a symbol: 0 an arrow (read on), 1 a note (music),
// 2 a grid (pictures); hover variants are lighter and have a gold frame.
bool MakeButton(const std::string& path, int symbol, bool hover) {
  Canvas canvas = MakeCanvas(120, 32, 0u);
  if (hover) RoundedBox(canvas, 0, 0, 120, 32, 8, 0xFFD040u);
  RoundedBox(canvas, 2, 2, 116, 28, 7, hover ? 0x4060C0u : 0x283C80u);
  VerticalGradient(canvas, 8, 4, 104, 10, hover ? 0x6080E0u : 0x3A50A0u,
                   hover ? 0x4060C0u : 0x283C80u);
  const uint32_t ink = hover ? 0xFFF0C0u : 0xE0E0E0u;
  if (symbol == 0) {
    FillBox(canvas, 36, 14, 36, 5, ink);
    for (int i = 0; i < 10; ++i) FillBox(canvas, 72 + i, 7 + i, 1, 19 - 2 * i, ink);
  } else if (symbol == 1) {
    Disc(canvas, 52, 22, 5, ink);
    Disc(canvas, 70, 20, 5, ink);
    FillBox(canvas, 56, 7, 2, 15, ink);
    FillBox(canvas, 74, 5, 2, 15, ink);
    FillBox(canvas, 56, 5, 20, 4, ink);
  } else {
    for (int row = 0; row < 3; ++row) {
      for (int col = 0; col < 5; ++col) {
        uint32_t colour = Mix(0xFF6040u, 0x40C0FFu, (row * 5 + col) / 14.0);
        FillBox(canvas, 38 + col * 9, 6 + row * 7, 7, 5, hover ? Mix(colour, ink, 0.3) : colour);
      }
    }
  }
  return WriteCanvas(path, canvas);
}

// Sixteen swatches of a ramp from ink to gold, 256x24.
bool MakePaletteStrip(const std::string& path) {
  Canvas canvas = MakeCanvas(256, 24, 0x101018u);
  const uint32_t stops[] = {0x141432u, 0x5A2A6Eu, 0xC84850u, 0xFFD040u};
  for (int i = 0; i < 16; ++i) {
    double t = i / 15.0 * 3.0;
    int k = std::min(2, static_cast<int>(t));
    FillBox(canvas, i * 16 + 1, 1, 14, 22, Mix(stops[k], stops[k + 1], t - k));
  }
  return WriteCanvas(path, canvas);
}

// A 300x40 band of sine waves whose ends meet, for sideways scrolling.
bool MakeStripe(const std::string& path) {
  Canvas canvas = MakeCanvas(300, 40, 0x101830u);
  for (int x = 0; x < 300; ++x) {
    double phase = x * 2 * PI / 300.0;
    for (int wave = 0; wave < 3; ++wave) {
      double cy = 20 + 12 * std::sin(phase * (wave + 1) + wave * 2.0);
      uint32_t colour = wave == 0 ? 0xFFD040u : wave == 1 ? 0x80C0FFu : 0xE06080u;
      for (int y = 0; y < 40; ++y) {
        double d = std::abs(y - cy);
        if (d < 2.5) Plot(canvas, x, y, colour, std::min(1.0, 2.5 - d));
      }
    }
  }
  NoHoles(canvas);
  return WriteCanvas(path, canvas);
}

// A 120x120 tile of soft diamonds that repeats seamlessly both ways.
bool MakeTile(const std::string& path) {
  Canvas canvas = MakeCanvas(120, 120, 0x182038u);
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 120; ++x) {
      double u = std::cos(x * 2 * PI / 60.0), v = std::cos(y * 2 * PI / 60.0);
      double w = 0.5 + 0.25 * (u + v);
      double glow = std::pow(0.5 + 0.5 * std::cos((x + y) * 2 * PI / 120.0), 4);
      Plot(canvas, x, y, Mix(0x283C80u, 0x80C0FFu, w), 0.8);
      Plot(canvas, x, y, 0xFFD040u, 0.4 * glow);
    }
  }
  NoHoles(canvas);
  return WriteCanvas(path, canvas);
}

bool MakeArticlePictures(const std::string& dir) {
  std::filesystem::create_directories(dir);
  return MakeScene(dir + "/scene.png") && MakeEmblem(dir + "/emblem.png") &&
         MakeButton(dir + "/read.png", 0, false) && MakeButton(dir + "/read_hover.png", 0, true) &&
         MakeButton(dir + "/music.png", 1, false) &&
         MakeButton(dir + "/music_hover.png", 1, true) &&
         MakeButton(dir + "/gallery.png", 2, false) &&
         MakeButton(dir + "/gallery_hover.png", 2, true) &&
         MakePaletteStrip(dir + "/palette.png") && MakeStripe(dir + "/stripe.png") &&
         MakeTile(dir + "/tile.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("Usage: make_pictures DATA_DIR\n", stderr);
    return 2;
  }
  bool ok = WriteFixedPictures(argv[1]) && MakeArticlePictures(std::string(argv[1]) + "/pictures");
  if (!ok) std::fprintf(stderr, "make_pictures: cannot write the pictures in %s\n", argv[1]);
  return ok ? 0 : 1;
}
