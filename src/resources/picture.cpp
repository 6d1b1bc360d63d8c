#include "resources/picture.h"

#include "engine/fatal.h"

void PictureAlloc(Picture& picture, int32_t width, int32_t height) {
  if (width < 0 || height < 0 || int64_t{width} * height > (int64_t{1} << 28)) {
    FatalError("Out Of Memory !");
  }
  picture.block.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  picture.pixels = picture.block.data();
  picture.width = width;
  picture.height = height;
}

void PictureFree(Picture& picture) { picture = Picture{}; }
