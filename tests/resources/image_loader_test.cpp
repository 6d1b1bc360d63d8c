#include "resources/image_loader.h"

#include <gtest/gtest.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/issue_dir.h"

namespace {

// A PNG of any colour type and depth from raw row bytes.
void WriteRawPng(const char* path, int width, int height, int colourType, int depth,
                 const std::vector<uint8_t>& rows, const std::vector<png_color>& palette = {}) {
  FILE* file = std::fopen(path, "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, depth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(png, info);
  size_t rowBytes = rows.size() / height;
  for (int y = 0; y < height; ++y) png_write_row(png, &rows[y * rowBytes]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void WriteJpeg(const char* path, int width, int height, int components,
               const std::vector<uint8_t>& samples) {
  FILE* file = std::fopen(path, "wb");
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    auto* row = const_cast<JSAMPLE*>(&samples[info.next_scanline * width * components]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

class ImageLoaderTest : public IssueDirTest {
 protected:
  Picture Load(const char* path) {
    Picture picture{};
    ImageLoader(path, picture);
    return picture;
  }
};

}  // namespace

TEST_F(ImageLoaderTest, PngColourTypesAllBecomeRgb) {
  WritePng("rgb.png", 2, 1, {0x123456, 0});
  Picture rgb = Load("DATA/rgb.png");
  EXPECT_EQ(rgb.pixels[0], 0x123456u);
  EXPECT_EQ(rgb.pixels[1], 0u);  // black stays the transparent key

  WriteRawPng("rgba.png", 1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {0xAA, 0xBB, 0xCC, 0x00});
  EXPECT_EQ(Load("rgba.png").pixels[0], 0xAABBCCu);

  WriteRawPng("pal.png", 2, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 0}, {{1, 2, 3}, {200, 100, 50}});
  Picture pal = Load("pal.png");
  EXPECT_EQ(pal.pixels[0], 0xC86432u);
  EXPECT_EQ(pal.pixels[1], 0x010203u);

  WriteRawPng("grey.png", 1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x40, 0xFF});
  EXPECT_EQ(Load("grey.png").pixels[0], 0x404040u);

  WriteRawPng("deep.png", 1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x00, 0x34, 0xFF, 0x56, 0x80});
  EXPECT_EQ(Load("deep.png").pixels[0], 0x123456u);

  // Two-bit grey: levels 0..3 scale to 0, 0x55, 0xAA, 0xFF.
  WriteRawPng("grey2.png", 4, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1B});
  Picture grey2 = Load("grey2.png");
  EXPECT_EQ(grey2.pixels[0], 0u);
  EXPECT_EQ(grey2.pixels[1], 0x555555u);
  EXPECT_EQ(grey2.pixels[3], 0xFFFFFFu);
}

TEST_F(ImageLoaderTest, JpegPixelsAreNeverZero) {
  WriteJpeg("black.JPG", 8, 8, 3, std::vector<uint8_t>(8 * 8 * 3, 0));
  Picture black = Load("DATA/black.JPG");  // the extension in capitals still is JPEG
  ASSERT_EQ(black.width, 8);
  for (int i = 0; i < 64; ++i) ASSERT_EQ(black.pixels[i], 1u);
  WriteJpeg("grey.jpg", 8, 8, 1, std::vector<uint8_t>(64, 0x80));
  uint32_t grey = Load("grey.jpg").pixels[0];
  EXPECT_EQ(grey & 1, 1u);
  EXPECT_EQ(grey >> 16, (grey >> 8) & 0xFF);
  EXPECT_NEAR(static_cast<int>(grey & 0xFF), 0x81, 2);
}

TEST_F(ImageLoaderTest, GifIndicesBecomePaletteColours) {
  GifImage image{4, 1, {0, 1, 2, 15}, {}};
  for (int i = 0; i < 16; ++i) image.palette.insert(image.palette.end(), {uint8_t(i), 0, 0xFF});
  ASSERT_TRUE(WriteGif("small.gif", image));
  Picture picture = Load("small.gif");
  EXPECT_EQ(picture.pixels[1], 0x0100FFu);
  EXPECT_EQ(picture.pixels[3], 0x0F00FFu);
}

TEST_F(ImageLoaderTest, NamesAndDamagedFilesStopWithTheirMessages) {
  WriteFileBytes("bad.png", {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H'});
  WriteFileBytes("bad.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'});
  WriteFileBytes("bad.bmp", {'B', 'M', 0});
  WriteFileBytes("bad.gif", {'G', 'I', 'F', '8', '7'});
  WritePng("x.jpeg", 1, 1, {1});
  const std::pair<const char*, const char*> cases[] = {
      {"bad.png", "Pix loader error ![PNG]"},
      {"bad.jpg", "Pix loader error ![JPG]"},
      {"bad.bmp", "Pix loader error ![BMP]"},
      {"bad.gif", "Pix loader error ![GIF]"},
      {"DATA/missing.png", "Pix loader error ![PNG]"},
      {"x.jpeg", "Filetype unsupported by ImageLoader !"},
      {"DATA/a.b", "Internal error !"},
  };
  for (auto [path, message] : cases) {
    Picture picture{};
    EXPECT_EQ(FatalMessageOf([&] { ImageLoader(path, picture); }), message) << path;
    EXPECT_EQ(picture.pixels, nullptr) << path;
  }
}
