#include "generators/gif_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "pictures/image_loader.h"
#include "support/scratch_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

GifImage Image(int width, int height, int colours) {
  GifImage image{width, height, Bytes(size_t(width) * size_t(height)), Bytes(3 * size_t(colours))};
  for (size_t i = 0; i < image.palette.size(); ++i) image.palette[i] = uint8_t(i * 7 + 1);
  return image;
}

GifImage Noise(int width, int height, int colours, unsigned seed) {
  GifImage image = Image(width, height, colours);
  std::mt19937 random(seed);
  for (uint8_t& index : image.indices) index = uint8_t(random() % colours);
  return image;
}

// Written, then read back by the engine's decoder.
void ExpectRoundTrip(const GifImage& image) {
  ScratchDir dir;
  ASSERT_TRUE(WriteGif("w.gif", image));
  IndexedPicture picture{};
  Bytes palette(GIF_PALETTE_SIZE, 0xAA);
  ASSERT_TRUE(LoadGif("w.gif", picture, palette.data()));
  ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(image.width, image.height));
  EXPECT_EQ(Bytes(picture.pixels, picture.pixels + image.indices.size()), image.indices);
  Bytes expected = image.palette;
  expected.resize(GIF_PALETTE_SIZE, 0);
  EXPECT_EQ(palette, expected);
}

TEST(GifWriter, SmoothFieldNoiseRunsAndTinyImagesRoundTrip) {
  GifImage smooth = Image(640, 480, 256);  // every level, in long runs
  for (size_t i = 0; i < smooth.indices.size(); ++i) smooth.indices[i] = uint8_t((i % 640 + i / 640) * 255 / 1118);
  ExpectRoundTrip(smooth);
  ExpectRoundTrip(Noise(320, 240, 256, 1));  // fills and clears the table many times
  ExpectRoundTrip(Noise(97, 61, 16, 3));
  ExpectRoundTrip(Image(300, 1, 2));  // one run: each code is the one being defined
  ExpectRoundTrip(Noise(1, 1, 256, 4));
}

TEST(GifWriter, RefusesImagesItCannotWrite) {
  GifImage badIndex = Noise(2, 1, 4, 5), badPalette = badIndex, badCount = badIndex;
  badIndex.indices[1] = 4;
  badPalette.palette.resize(9);
  badCount.indices.pop_back();
  for (const GifImage& image : {badIndex, badPalette, badCount, Image(0, 1, 2), Image(2, 1, 512)}) {
    EXPECT_THROW(EncodeGif(image), std::invalid_argument);
  }
}

}  // namespace
