#include "pictures/picture.h"

#include <gtest/gtest.h>

#include "support/fatal_catch.h"

// Rows are copied 16 bytes at a time, so every picture starts aligned.
TEST(Picture, AllocIsZeroedAndAlignedAndBadSizesAreFatal) {
  for (int width : {1, 3, 17, 640}) {
    Picture picture{};
    PictureAlloc(picture, width, 5);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(picture.pixels) % 16, 0u);
    for (int i = 0; i < width * 5; ++i) ASSERT_EQ(picture.pixels[i], 0u);
  }
  Picture picture{};
  EXPECT_EQ(FatalMessageOf([&] { PictureAlloc(picture, 0, 10); }), "Internal error !");
  EXPECT_EQ(FatalMessageOf([&] { PictureAlloc(picture, 65536, 65536); }), "Out Of Memory !");
  EXPECT_FALSE(PictureSizeIsSane(int64_t{1} << 40, 1, 1));
}
