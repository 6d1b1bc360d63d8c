// Generates the gallery of the demo issue into DATA_DIR/pictures/gallery:
// five full-screen pictures (640x480) that links show on the whole screen,
// each with a small copy and its hover variant for the gallery page. The
// pictures use three of the reader's formats: PNG, GIF and BMP.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/bmp_writer.h"
#include "generators/canvas.h"
#include "generators/gif_writer.h"
#include "generators/png_writer.h"

namespace {

constexpr int W = 640, H = 480;
constexpr int SMALL_W = 160, SMALL_H = 120;
constexpr double PI = 3.14159265358979323846;
constexpr uint32_t GOLD = 0xFFD040u;

// A cheap repeatable hash for star fields and sparkle.
double Noise(int x, int y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

void Stars(Canvas& c, int bottom, double density) {
  for (int y = 0; y < bottom; ++y) {
    for (int x = 0; x < W; ++x) {
      double n = Noise(x, y);
      if (n > 1.0 - density)
        Plot(c, x, y, 0xFFFFFFu, (n - 1.0 + density) / density * (1.0 - double(y) / bottom));
    }
  }
}

// A title in the bottom left corner on a dark band, as a gallery label.
void Caption(Canvas& c, TextPainter& text, const std::u32string& title) {
  for (int y = H - 44; y < H - 12; ++y) {
    for (int x = 12; x < 28 + text.Measure(title, 18); ++x) Plot(c, x, y, 0x080810u, 0.6);
  }
  text.Draw(c, 20, H - 21, title, 18, 0xF4EAD8u);
}

// The magazine's cover: the gold ring over a starry navy sky and the name.
Canvas Cover(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  VerticalGradient(c, 0, 0, W, H, 0x060A20u, 0x22356Au);
  Stars(c, H, 0.004);
  Disc(c, 320, 180, 118, 0x1C2A68u);
  Ring(c, 320, 180, 92, 16, GOLD);
  Ring(c, 320, 180, 62, 5, 0x80C0FFu);
  Disc(c, 320, 180, 26, GOLD);
  text.DrawCentred(c, 0, 318, W, 70, U"MARROWIN", 64, GOLD);
  text.DrawCentred(c, 0, 384, W, 30, U"ISSUE ONE", 22, 0x80C0FFu);
  text.DrawCentred(c, 0, 420, W, 30, U"a magazine you read on the screen", 16, 0xE0E0E0u);
  return c;
}

int Hill(int x, double base, double a, double fa, double b, double fb, double phase) {
  return static_cast<int>(base + a * std::sin(x / fa + phase) + b * std::sin(x / fb + 2 * phase));
}

// The evening scene of the making-of feature, painted at full size.
Canvas Dusk(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  const int shore = 300;
  VerticalGradient(c, 0, 0, W, shore, 0x0C1440u, 0xF09858u);
  Stars(c, 160, 0.003);
  for (int y = 0; y < shore; ++y) {
    for (int x = 0; x < W; ++x) {
      Plot(c, x, y, 0xFFD8A0u, 0.8 * std::exp(-std::hypot(x - 440.0, y - 236.0) / 70.0));
    }
  }
  Disc(c, 440, 236, 40, 0xFFE8B0u);
  const uint32_t layers[] = {0x7A5078u, 0x50406Au, 0x2A2840u};
  for (int x = 0; x < W; ++x) {
    int tops[] = {Hill(x, 220, 26, 53, 9, 19, 0.0), Hill(x, 250, 18, 71, 8, 23, 1.3),
                  Hill(x, 276, 14, 97, 6, 13, 2.1)};
    for (int layer = 0; layer < 3; ++layer) {
      for (int y = tops[layer]; y < shore; ++y) Plot(c, x, y, layers[layer], 1.0);
    }
  }
  VerticalGradient(c, 0, shore, W, H - shore, 0x6070A0u, 0x101830u);
  for (int y = shore + 2; y < H; y += 3) {
    int half = 10 + (y - shore) / 2;
    for (int x = 440 - half; x <= 440 + half; ++x) {
      if (Noise(x / 3, y) > 0.45)
        Plot(c, x, y, 0xFFD090u, 0.7 * (1.0 - double(y - shore) / (H - shore)));
    }
  }
  Caption(c, text, U"Dusk over the lake");
  return c;
}

// A checkered floor that runs to the horizon under a striped sun.
Canvas Floor(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0);
  const int horizon = 250;
  VerticalGradient(c, 0, 0, W, horizon, 0x140828u, 0xC83870u);
  Stars(c, 140, 0.002);
  for (int y = 70; y < horizon; ++y) {
    if (y > 170 && (y / 6) % 3 == 0) continue;  // the sun's stripes
    for (int x = 200; x < 440; ++x) {
      double d = std::hypot(x - 320.0, y - 190.0) - 120.0;
      Plot(c, x, y, Mix(0xFFE060u, 0xFF5080u, (y - 70) / 120.0), std::clamp(0.5 - d, 0.0, 1.0));
    }
  }
  for (int y = horizon; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      double light = 0;  // four samples a pixel keep the far rows from shimmering
      for (int k = 0; k < 4; ++k) {
        double depth = 300.0 / (y + (k / 2) * 0.5 - horizon + 2);
        double across = (x + (k % 2) * 0.5 - 320.0) / 100.0 * depth + 0.5;
        light +=
            (static_cast<long>(std::floor(across)) + static_cast<long>(std::floor(depth))) % 2 == 0;
      }
      uint32_t tile = Mix(0x281850u, 0x30C8E0u, light / 4);
      Plot(c, x, y, Mix(0xC83870u, tile, std::min(1.0, (y - horizon) / 60.0)), 1.0);
    }
  }
  Caption(c, text, U"The endless floor");
  return c;
}

double PlasmaField(int x, int y) {
  return std::sin(x / 37.0) + std::sin(y / 23.0 + std::sin(x / 71.0)) +
         std::sin(std::hypot(x - 420.0, y - 160.0) / 19.0) + std::sin((x - y) / 53.0);
}

// A 256-colour plasma; its caption takes the last two palette entries.
GifImage Plasma(TextPainter& text) {
  GifImage image{W, H, {}, {}};
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      image.indices.push_back(
          static_cast<uint8_t>(std::lround((PlasmaField(x, y) + 4.0) / 8.0 * 253)));
    }
  }
  // Ink, plum, rose, gold and back, twice round the field's range.
  const uint32_t stops[] = {0x0C0C30u, 0x5A2A8Eu, 0xE04870u, 0xFFD040u, 0xE04870u, 0x5A2A8Eu};
  for (int i = 0; i < 254; ++i) {
    double t = i / 254.0 * 12;
    int k = static_cast<int>(t);
    uint32_t rgb = Mix(stops[k % 6], stops[(k + 1) % 6], t - k);
    image.palette.insert(image.palette.end(),
                         {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                          static_cast<uint8_t>(rgb)});
  }
  image.palette.insert(image.palette.end(), {0x10, 0x08, 0x18, 0xF4, 0xEA, 0xD8});
  Canvas label = MakeCanvas(W, H, 0);
  const std::u32string title = U"Plasma in 256 colours";
  FillBox(label, 12, H - 44, 16 + text.Measure(title, 18), 32, 0x808080u);
  text.Draw(label, 20, H - 21, title, 18, 0xFFFFFFu);
  for (size_t i = 0; i < label.pixels.size(); ++i) {
    uint32_t level = label.pixels[i] & 0xFF;
    if (level >= 0xC0)
      image.indices[i] = 255;
    else if (level >= 0x40)
      image.indices[i] = 254;
  }
  return image;
}

Canvas FromPalette(const GifImage& image) {
  Canvas c = MakeCanvas(image.width, image.height, 0);
  for (size_t i = 0; i < image.indices.size(); ++i) {
    const uint8_t* rgb = &image.palette[image.indices[i] * 3];
    c.pixels[i] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
  }
  return c;
}

// Raster bars: shaded horizontal bands that cross on a sine path.
Canvas Copper(TextPainter& text) {
  Canvas c = MakeCanvas(W, H, 0x020208u);
  const uint32_t colours[] = {0xFF4040u, 0xFF9A30u, 0xFFE040u, 0x40E070u, 0x40A0FFu, 0xA060FFu};
  for (int bar = 0; bar < 12; ++bar) {
    const uint32_t colour = colours[bar % 6];
    for (int x = 0; x < W; ++x) {
      double centre = 36 + bar * 34 + 16 * std::sin(x / 90.0 + bar * 0.7);
      for (int dy = -14; dy <= 14; ++dy) {
        double shade = std::cos(dy / 15.0 * PI / 2);
        Plot(c, x, static_cast<int>(centre) + dy, Mix(colour, 0xFFFFFFu, std::pow(shade, 12) * 0.7),
             shade);
      }
    }
  }
  Caption(c, text, U"Copper bars, after the old chips");
  return c;
}

// Box-filtered to a quarter of each side; no pixel stays pure black, which
// an article would leave out.
Canvas Small(const Canvas& big) {
  Canvas c = MakeCanvas(SMALL_W, SMALL_H, 0);
  for (int y = 0; y < SMALL_H; ++y) {
    for (int x = 0; x < SMALL_W; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
          uint32_t p = big.pixels[static_cast<size_t>(y * 4 + j) * big.width + x * 4 + i];
          for (int k = 0; k < 3; ++k) sum[k] += (p >> (16 - 8 * k)) & 255;
        }
      }
      uint32_t p = (sum[0] / 16) << 16 | (sum[1] / 16) << 8 | sum[2] / 16;
      c.pixels[static_cast<size_t>(y) * SMALL_W + x] = p == 0 ? 0x010101u : p;
    }
  }
  return c;
}

Canvas Framed(Canvas c) {
  for (int y = 0; y < SMALL_H; ++y) {
    for (int x = 0; x < SMALL_W; ++x) {
      if (x < 3 || y < 3 || x >= SMALL_W - 3 || y >= SMALL_H - 3)
        c.pixels[static_cast<size_t>(y) * SMALL_W + x] = GOLD;
    }
  }
  return c;
}

bool WriteCanvas(const std::string& path, const Canvas& c) {
  return WritePng(path, c.width, c.height, c.pixels);
}

bool WriteSmall(const std::string& dir, const std::string& name, const Canvas& big) {
  Canvas small = Small(big);
  return WriteCanvas(dir + "/" + name + "_small.png", small) &&
         WriteCanvas(dir + "/" + name + "_small_hover.png", Framed(small));
}

bool WritePngPicture(const std::string& dir, const std::string& name, const Canvas& c) {
  return WriteCanvas(dir + "/" + name + ".png", c) && WriteSmall(dir, name, c);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: make_gallery DATA_DIR FONT.ttf\n", stderr);
    return 2;
  }
  TextPainter text(argv[2]);
  if (!text.ok()) {
    std::fprintf(stderr, "make_gallery: cannot read the font %s\n", argv[2]);
    return 1;
  }
  const std::string dir = std::string(argv[1]) + "/pictures/gallery";
  std::filesystem::create_directories(dir);
  const GifImage plasma = Plasma(text);
  const Canvas copper = Copper(text);
  bool ok =
      WritePngPicture(dir, "cover", Cover(text)) && WritePngPicture(dir, "dusk", Dusk(text)) &&
      WritePngPicture(dir, "floor", Floor(text)) && WriteGif(dir + "/plasma.gif", plasma) &&
      WriteSmall(dir, "plasma", FromPalette(plasma)) &&
      WriteBmp24(dir + "/copper.bmp", W, H, copper.pixels) && WriteSmall(dir, "copper", copper);
  if (!ok) std::fprintf(stderr, "make_gallery: cannot write the pictures in %s\n", dir.c_str());
  return ok ? 0 : 1;
}
