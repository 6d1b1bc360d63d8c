#include "resources/picture.h"

#include <gtest/gtest.h>

#include "support/fatal_catch.h"

TEST(Picture, AllocIsZeroedAndAligned) {
  for (int width : {1, 3, 17, 640}) {
    Picture picture{};
    PictureAlloc(picture, width, 5);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(picture.pixels) % 16, 0u);
    for (int i = 0; i < width * 5; ++i) ASSERT_EQ(picture.pixels[i], 0u);
    IndexedPicture indexed{};
    IndexedPictureAlloc(indexed, width, 5);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(indexed.pixels) % 16, 0u);
    EXPECT_EQ(indexed.width, width);
  }
}

TEST(Picture, FreeEmptiesTheRecordAndAllowsEmpty) {
  Picture picture{};
  PictureFree(picture);
  PictureAlloc(picture, 4, 4);
  PictureFree(picture);
  EXPECT_EQ(picture.pixels, nullptr);
  EXPECT_EQ(picture.width, 0);
  EXPECT_EQ(picture.height, 0);
}

TEST(Picture, BadSizesAreFatal) {
  Picture picture{};
  EXPECT_EQ(FatalMessageOf([&] { PictureAlloc(picture, 0, 10); }), "Internal error !");
  EXPECT_EQ(FatalMessageOf([&] { PictureAlloc(picture, 10, -1); }), "Internal error !");
  EXPECT_EQ(FatalMessageOf([&] { PictureAlloc(picture, 65536, 65536); }), "Out Of Memory !");
  EXPECT_TRUE(PictureSizeIsSane(8192, 8192, 4));
  EXPECT_FALSE(PictureSizeIsSane(8192, 8193, 4));
  EXPECT_FALSE(PictureSizeIsSane(int64_t{1} << 40, 1, 1));
}
