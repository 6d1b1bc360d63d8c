#include "generators/fixed_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "generators/bmp_writer.h"
#include "generators/gif_writer.h"
#include "generators/png_writer.h"

namespace {

constexpr double PI = 3.14159265358979323846;

// The arrow: 'o' outline, '#' fill, ' ' transparent (pixel value 0).
constexpr std::array<const char*, 19> CURSOR = {
    "o           ", "oo          ", "o#o         ", "o##o        ", "o###o       ",
    "o####o      ", "o#####o     ", "o######o    ", "o#######o   ", "o########o  ",
    "o#########o ", "o######oooo ", "o###o##o    ", "o##oo##o    ", "o#o  o##o   ",
    "oo   o##o   ", "o     o##o  ", "      o##o  ", "       oo   "};

bool MakeCursor(const std::string& path) {
  const int width = 12, height = static_cast<int>(CURSOR.size());
  std::vector<uint32_t> pixels;
  for (const char* row : CURSOR) {
    for (int x = 0; x < width; ++x) {
      // The outline is almost black: pure black would be transparent.
      pixels.push_back(row[x] == 'o' ? 0x101018u : row[x] == '#' ? 0xF0F4FFu : 0u);
    }
  }
  return WritePng(path, width, height, pixels);
}

// A gold ring on deep blue, the magazine's colours.
bool MakeIcon(const std::string& path) {
  const int size = 32;
  std::vector<uint32_t> pixels;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double d = std::hypot(x - 15.5, y - 15.5);
      double ring = std::exp(-std::pow((d - 10.0) / 2.5, 2));
      auto r = static_cast<uint32_t>(20 + 235 * ring);
      auto g = static_cast<uint32_t>(30 + 180 * ring);
      auto b = static_cast<uint32_t>(90 - 60 * ring + 40 * (1 - d / 23));
      pixels.push_back(r << 16 | g << 8 | b);
    }
  }
  return WriteBmp24(path, size, size, pixels);
}

double PlasmaField(int x, int y) {
  double radial = std::hypot(x - 320.0, y - 240.0);
  return std::sin(x / 47.0) + std::sin(y / 31.0) + std::sin((x + y) / 61.0) +
         std::sin(radial / 23.0);
}

bool MakePlasma(const std::string& path) {
  GifImage image{640, 480, {}, {}};
  std::vector<double> field;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) field.push_back(PlasmaField(x, y));
  }
  auto [low, high] = std::minmax_element(field.begin(), field.end());
  double scale = 255.0 / (*high - *low);
  std::vector<bool> used(256);
  for (double v : field) {
    auto level = static_cast<uint8_t>(std::lround((v - *low) * scale));
    image.indices.push_back(level);
    used[level] = true;
  }
  if (std::count(used.begin(), used.end(), true) != 256) return false;
  for (int i = 0; i < 256; ++i) {
    double t = i * PI / 128.0;
    image.palette.push_back(static_cast<uint8_t>(128 + 127 * std::sin(t)));
    image.palette.push_back(static_cast<uint8_t>(128 + 127 * std::sin(t + 2 * PI / 3)));
    image.palette.push_back(static_cast<uint8_t>(128 + 127 * std::sin(t + 4 * PI / 3)));
  }
  return WriteGif(path, image);
}

}  // namespace

bool WriteFixedPictures(const std::string& dataDir) {
  const std::string panels = dataDir + "/panels";
  std::error_code error;
  std::filesystem::create_directories(panels, error);
  return MakeIcon(panels + "/icon.bmp") && MakeCursor(panels + "/cursor.png") &&
         MakePlasma(panels + "/plasma.gif");
}
