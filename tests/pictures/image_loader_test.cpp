#include "pictures/image_loader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <jpeglib.h>

#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

// A PNG of one row of any colour type and depth from raw bytes; a palette of
// two colours.
void WriteRawPng(const char* path, int width, int colourType, int depth,
                 const std::vector<uint8_t>& row) {
  const png_color palette[] = {{1, 2, 3}, {200, 100, 50}};
  FILE* file = std::fopen(path, "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, width, 1, depth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 2);
  png_write_info(png, info);
  png_write_row(png, row.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

// An 8 x 8 JPEG of one grey or RGB sample value.
void WriteJpeg(const char* path, int components, uint8_t value) {
  const std::vector<uint8_t> samples(8 * components, value);
  FILE* file = std::fopen(path, "wb");
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = info.image_height = 8;
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  JSAMPROW row = const_cast<JSAMPLE*>(samples.data());  // every row alike
  while (info.next_scanline < info.image_height) jpeg_write_scanlines(&info, &row, 1);
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

Picture Load(const char* path) {
  Picture picture{};
  ImageLoader(path, picture);
  return picture;
}

using ImageLoaderTest = IssueDirTest;

}  // namespace

TEST_F(ImageLoaderTest, PngColourTypesAllBecomeRgb) {
  struct Case { int width, type, depth; std::vector<uint8_t> row; std::vector<uint32_t> pixels; };
  const Case cases[] = {
      {2, PNG_COLOR_TYPE_RGB, 8, {0x12, 0x34, 0x56, 0, 0, 0}, {0x123456, 0}},  // black is kept
      {2, PNG_COLOR_TYPE_PALETTE, 8, {1, 0}, {0xC86432, 0x010203}},
      {1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0xFF}, {0x404040}},
      {1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x00, 0x34, 0xFF, 0x56, 0x80}, {0x123456}},
      {4, PNG_COLOR_TYPE_GRAY, 2, {0x1B}, {0, 0x555555, 0xAAAAAA, 0xFFFFFF}},  // levels 0..3
  };
  for (const Case& c : cases) {
    WriteRawPng("p.png", c.width, c.type, c.depth, c.row);
    const Picture picture = Load("DATA/p.png");
    EXPECT_EQ(std::vector<uint32_t>(picture.pixels, picture.pixels + c.width), c.pixels)
        << c.type << " " << c.depth;
  }
}

TEST_F(ImageLoaderTest, JpegPixelsAreNeverZero) {
  WriteJpeg("black.JPG", 3, 0);
  Picture black = Load("DATA/black.JPG");  // the extension in capitals still is JPEG
  ASSERT_EQ(black.width, 8);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(black.pixels[i], 1u);
  WriteJpeg("grey.jpg", 1, 0x80);
  uint32_t grey = Load("grey.jpg").pixels[0];
  EXPECT_EQ(grey & 1, 1u);
  EXPECT_EQ(grey >> 16, (grey >> 8) & 0xFF);
  EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x81, 2);
}

TEST_F(ImageLoaderTest, NamesAndDamagedFilesStopWithTheirMessages) {
  WriteFileBytes("bad.png", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H'});
  WriteFileBytes("bad.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'});
  WriteFileBytes("bad.bmp", {'B', 'M', 0});
  WriteFileBytes("bad.gif", {'G', 'I', 'F', '8', '7'});
  WriteRawPng("x.jpeg", 1, PNG_COLOR_TYPE_GRAY, 8, {1});
  const std::pair<const char*, const char*> cases[] = {
      {"bad.png", "Pix loader error ![PNG]"}, {"bad.jpg", "Pix loader error ![JPG]"},
      {"bad.bmp", "Pix loader error ![BMP]"}, {"bad.gif", "Pix loader error ![GIF]"},
      {"DATA/missing.png", "Pix loader error ![PNG]"}, {"DATA/a.b", "Internal error !"},
      {"x.jpeg", "Filetype unsupported by ImageLoader !"},
  };
  for (auto [path, message] : cases) {
    Picture picture{};
    EXPECT_EQ(FatalMessageOf([&] { ImageLoader(path, picture); }), message) << path;
    EXPECT_EQ(picture.pixels, nullptr) << path;
  }
}
