#include "magtool/rgb_png.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "engine/present.h"
#include "resources/file_ptr.h"

namespace {

uint8_t Widen(uint32_t value, int bits) {
  const uint32_t top = value << (8 - bits);
  return static_cast<uint8_t>(top | (top >> bits));
}

// 8-bit RGB as the screen of the given depth shows the pixel.
void ScreenRgb(uint32_t p, int32_t bpp, uint8_t* rgb) {
  if (bpp == 16) {
    const uint16_t s = ToRgb565(p);
    rgb[0] = Widen(s >> 11, 5);
    rgb[1] = Widen((s >> 5) & 0x3F, 6);
    rgb[2] = Widen(s & 0x1F, 5);
  } else if (bpp == 15) {
    const uint16_t s = ToRgb555(p);
    rgb[0] = Widen(s >> 10, 5);
    rgb[1] = Widen((s >> 5) & 0x1F, 5);
    rgb[2] = Widen(s & 0x1F, 5);
  } else {
    rgb[0] = static_cast<uint8_t>(p >> 16);
    rgb[1] = static_cast<uint8_t>(p >> 8);
    rgb[2] = static_cast<uint8_t>(p);
  }
}

}  // namespace

namespace {

// Rows of 8-bit samples, channels per pixel, written whole.
bool WriteRows(FilePtr file, const Picture& picture, const std::vector<uint8_t>& samples,
               int channels) {
  const size_t stride = static_cast<size_t>(picture.width) * channels;
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr && setjmp(png_jmpbuf(png)) == 0;
  if (ok) {
    png_init_io(png, file.get());
    png_set_IHDR(png, info, picture.width, picture.height, 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < picture.height; ++y) {
      png_write_row(png, const_cast<uint8_t*>(&samples[y * stride]));
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file.release()) == 0 && ok;
}

}  // namespace

bool WriteRgbPng(FilePtr file, const Picture& screen, int32_t bpp) {
  std::vector<uint8_t> rgb(static_cast<size_t>(screen.width) * screen.height * 3);
  for (size_t i = 0; i < static_cast<size_t>(screen.width) * screen.height; ++i) {
    ScreenRgb(screen.pixels[i], bpp, &rgb[i * 3]);
  }
  return WriteRows(std::move(file), screen, rgb, 3);
}

bool WriteKeyedPng(FilePtr file, const Picture& picture) {
  std::vector<uint8_t> rgba(static_cast<size_t>(picture.width) * picture.height * 4);
  for (size_t i = 0; i < static_cast<size_t>(picture.width) * picture.height; ++i) {
    ScreenRgb(picture.pixels[i], 32, &rgba[i * 4]);
    rgba[i * 4 + 3] = picture.pixels[i] == 0 ? 0 : 255;
  }
  return WriteRows(std::move(file), picture, rgba, 4);
}
