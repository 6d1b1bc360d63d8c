// Picture: the one image and drawing-surface type. Rows run top to bottom
// without gaps (width * 4 bytes apart); pixels are 0x00RRGGBB, and a pixel of
// exactly 0 is transparent for keyed drawing.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
  std::vector<uint32_t> block;  // owns the pixels of a memory picture
  uint32_t* pixels;             // the first pixel; borrowed for a surface picture
  int32_t width;
  int32_t height;
};

// A zero-filled width x height memory picture.
void PictureAlloc(Picture& picture, int32_t width, int32_t height);
void PictureFree(Picture& picture);
