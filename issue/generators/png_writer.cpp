#include "png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace {

struct PngWriter {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_byte> row;
  ~PngWriter() { png_destroy_write_struct(&png, &info); }
};

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

bool WriteRows(PngWriter& writer, FILE* file, int width, int height,
               const std::vector<uint32_t>& pixels) {
  if (setjmp(png_jmpbuf(writer.png))) return false;
  png_init_io(writer.png, file);
  png_set_IHDR(writer.png, writer.info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(writer.png, writer.info);
  writer.row.resize(static_cast<size_t>(width) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      writer.row[x * 3] = static_cast<png_byte>(p >> 16);
      writer.row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
      writer.row[x * 3 + 2] = static_cast<png_byte>(p);
    }
    png_write_row(writer.png, writer.row.data());
  }
  png_write_end(writer.png, nullptr);
  return true;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels) {
  if (width < 1 || height < 1 || pixels.size() != static_cast<size_t>(width) * height) return false;
  std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  PngWriter writer;
  writer.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (writer.png == nullptr) return false;
  writer.info = png_create_info_struct(writer.png);
  if (writer.info == nullptr) return false;
  return WriteRows(writer, file.get(), width, height, pixels) && std::fclose(file.release()) == 0;
}
