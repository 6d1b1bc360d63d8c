// Pictures: the engine's one image and drawing-surface type, and its
// one-byte-per-pixel sibling.
//
// Pixels run row by row from the top without gaps: pixel (x, y) is
// pixels[y * width + x]. A Picture's pixels are 0x00RRGGBB; the value 0 is the
// transparent key of keyed drawing. The first pixel lies on a 16-byte boundary
// so that block copies can move whole vectors. An empty picture has no block,
// no pixels and a zero size. A picture that borrows its pixels (the back buffer
// of the DirectX-blit mode) has no block.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

// Pixel blocks come from calloc, so that pages a loader never writes (a huge
// picture whose data runs out early) are never touched.
struct PixelBlockFree {
  void operator()(uint8_t* block) const { std::free(block); }
};
using PixelBlock = std::unique_ptr<uint8_t[], PixelBlockFree>;

struct Picture {
  PixelBlock block;  // the raw allocation, or null when borrowed
  uint32_t* pixels;
  int32_t width;
  int32_t height;
};

struct IndexedPicture {
  PixelBlock block;
  uint8_t* pixels;  // palette indices
  int32_t width;
  int32_t height;
};

// The largest picture a loader will allocate, in bytes of pixels: a size read
// from a file beyond this is a damaged file, not an allocation to attempt.
constexpr int64_t PICTURE_MAX_BYTES = int64_t{256} << 20;

// Whether width x height pixels of bytesPerPixel are allowed: both at least 1
// and the pixels within PICTURE_MAX_BYTES.
bool PictureSizeIsSane(int64_t width, int64_t height, int bytesPerPixel);

// A zero-filled (all transparent black) picture; whatever the record held is
// released. A width or height below 1 is fatal ("Internal error !"), a size
// beyond PICTURE_MAX_BYTES "Out Of Memory !".
void PictureAlloc(Picture& picture, int32_t width, int32_t height);
void IndexedPictureAlloc(IndexedPicture& picture, int32_t width, int32_t height);

// Releases the pixels and zeroes the record; an empty picture is fine.
void PictureFree(Picture& picture);
void PictureFree(IndexedPicture& picture);
