#include "pictures/image_loader.h"

#include <cstring>

#include "base/fatal.h"
#include "resources/archive.h"
#include "resources/resource_file.h"

namespace {

// Palette indices to colours, for a GIF loaded as a full-colour picture.
void LoadGifColours(const char* name, Picture& picture) {
  IndexedPicture indices{};
  uint8_t palette[GIF_PALETTE_SIZE];
  if (!LoadGif(name, indices, palette)) FatalError("Pix loader error ![GIF]");
  PictureAlloc(picture, indices.width, indices.height);
  size_t count = static_cast<size_t>(indices.width) * static_cast<size_t>(indices.height);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* rgb = &palette[indices.pixels[i] * 3];
    picture.pixels[i] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
  }
}

}  // namespace

void ImageLoader(const char* path, Picture& picture) {
  const ResourceFile member(path);
  const char* name = member.name();
  // The kind is read from the name as a reader working in its own folder sees
  // it, so that the answer does not depend on where that folder lies.
  const std::string shown = ResourceShownName(name);
  if (shown.size() < 4) FatalError("Internal error !");
  const char* extension = shown.c_str() + shown.size() - 4;
  if (StrCaseCompare(extension, ".png") == 0) {
    if (!LoadPng(name, picture)) FatalError("Pix loader error ![PNG]");
  } else if (StrCaseCompare(extension, ".jpg") == 0) {
    if (!LoadJpeg(name, picture)) FatalError("Pix loader error ![JPG]");
  } else if (StrCaseCompare(extension, ".bmp") == 0) {
    if (!LoadBmp(name, picture)) FatalError("Pix loader error ![BMP]");
  } else if (StrCaseCompare(extension, ".gif") == 0) {
    LoadGifColours(name, picture);
  } else {
    FatalError("Filetype unsupported by ImageLoader !");
  }
}
