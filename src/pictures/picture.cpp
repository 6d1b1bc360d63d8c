#include "pictures/picture.h"

#include <cstdlib>

#include "base/fatal.h"

namespace {

constexpr size_t ALIGNMENT_SLACK = 36;  // room to round the first pixel up to 16 bytes

template <typename Pixel>
Pixel* AllocAligned(PixelBlock& block, int32_t width, int32_t height) {
  if (width < 1 || height < 1) FatalError("Internal error !");
  if (!PictureSizeIsSane(width, height, sizeof(Pixel))) FatalError("Out Of Memory !");
  size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * sizeof(Pixel);
  block.reset(static_cast<uint8_t*>(std::calloc(bytes + ALIGNMENT_SLACK, 1)));
  if (!block) FatalError("Out Of Memory !");
  auto address = reinterpret_cast<uintptr_t>(block.get());
  return reinterpret_cast<Pixel*>((address + 15) & ~uintptr_t{15});
}

}  // namespace

bool PictureSizeIsSane(int64_t width, int64_t height, int bytesPerPixel) {
  if (width < 1 || height < 1 || width > PICTURE_MAX_BYTES || height > PICTURE_MAX_BYTES) {
    return false;
  }
  return width * height * bytesPerPixel <= PICTURE_MAX_BYTES;
}

void PictureAlloc(Picture& picture, int32_t width, int32_t height) {
  picture.pixels = AllocAligned<uint32_t>(picture.block, width, height);
  picture.width = width;
  picture.height = height;
}

void IndexedPictureAlloc(IndexedPicture& picture, int32_t width, int32_t height) {
  picture.pixels = AllocAligned<uint8_t>(picture.block, width, height);
  picture.width = width;
  picture.height = height;
}

void PictureFree(Picture& picture) { picture = Picture{}; }

void PictureFree(IndexedPicture& picture) { picture = IndexedPicture{}; }
