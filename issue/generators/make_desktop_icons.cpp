// Makes the desktop's icons for the launcher from the window icon:
// OUT_DIR/NxN/apps/NAME.png for each SIZE, as the hicolor theme lays them out.
// The icon is read as the reader reads it, with SDL's BMP loader, and stays
// opaque: the reader sets it on its window without a mask, so the menu shows
// the same picture as the window.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/integer_reader.h"
#include "generators/icon_scaling.h"
#include "generators/png_writer.h"

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// The icon's pixels as 0x00RRGGBB, or empty with a message when it cannot be used.
std::vector<uint32_t> ReadIcon(const char* path, int& size) {
  Surface loaded(SDL_LoadBMP(path));
  if (!loaded) {
    std::fprintf(stderr, "make_desktop_icons: cannot read %s: %s\n", path, SDL_GetError());
    return {};
  }
  if (loaded->w != loaded->h) {
    std::fprintf(stderr, "make_desktop_icons: %s is %dx%d, not square\n", path, loaded->w, loaded->h);
    return {};
  }
  Surface rgb(SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xFF0000, 0xFF00, 0xFF, 0));
  if (!rgb || SDL_BlitSurface(loaded.get(), nullptr, rgb.get(), nullptr) != 0) {
    std::fprintf(stderr, "make_desktop_icons: cannot convert %s: %s\n", path, SDL_GetError());
    return {};
  }
  size = rgb->w;
  std::vector<uint32_t> pixels;
  for (int y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch);
    for (int x = 0; x < size; ++x) pixels.push_back(row[x] & 0xFFFFFFu);
  }
  return pixels;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fputs("Usage: make_desktop_icons ICON_BMP OUT_DIR NAME SIZE...\n", stderr);
    return 2;
  }
  int from = 0;
  std::vector<uint32_t> icon = ReadIcon(argv[1], from);
  if (icon.empty()) return 1;
  for (int i = 4; i < argc; ++i) {
    const std::optional<int64_t> size = ParseDecimal(argv[i], 1, 1024);
    if (!size) {
      std::fprintf(stderr, "make_desktop_icons: bad size %s\n", argv[i]);
      return 2;
    }
    const int to = static_cast<int>(*size);
    std::string name = std::to_string(to);
    std::filesystem::path dir = std::filesystem::path(argv[2]) / (name + "x" + name) / "apps";
    std::error_code error;  // a directory that cannot be made shows as a failed write
    std::filesystem::create_directories(dir, error);
    std::string path = (dir / (std::string(argv[3]) + ".png")).string();
    if (!WritePng(path, to, to, ScaleIcon(icon, from, to))) {
      std::fprintf(stderr, "make_desktop_icons: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
