// PNG pictures through libpng 1.6.
//
// Accepts every PNG libpng reads: grey and palette images are expanded to RGB,
// an alpha channel is dropped, 16-bit channels are reduced to 8 bits and grey
// of fewer than 8 bits is scaled up to 8. Produces 0x00RRGGBB pixels, black
// staying 0 (transparent to keyed drawing). Any libpng error, a damaged file
// or a size beyond PictureSizeIsSane fails the load with the picture empty.
#include <png.h>

#include <csetjmp>
#include <vector>

#include "pictures/image_loader.h"
#include "resources/file_ptr.h"

namespace {

// Everything that must be released lives here, in the frame that set the
// recovery point, so that a longjmp out of libpng skips no destructor.
struct PngReader {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::vector<png_byte> block;  // the decoded rows, rowBytes apart
  std::vector<png_bytep> rows;
  ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

// libpng reports through longjmp; the default handler would print and abort.
void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

// Every transformation that ends in 8-bit RGB rows.
void RequestRgb8(png_structp png, png_infop info) {
  int colourType = png_get_color_type(png, info);
  int depth = png_get_bit_depth(png, info);
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_expand(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) {
    if (depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  png_set_strip_alpha(png);
  if (depth == 16) png_set_strip_16(png);
  png_read_update_info(png, info);
}

// Reads the rows and converts them; runs under the reader's recovery point
// and so holds nothing that needs destroying.
bool ReadPixels(PngReader& reader, Picture& picture) {
  png_structp png = reader.png;
  png_infop info = reader.info;
  png_uint_32 width = png_get_image_width(png, info);
  png_uint_32 height = png_get_image_height(png, info);
  if (!PictureSizeIsSane(width, height, 4)) return false;
  RequestRgb8(png, info);
  size_t rowBytes = png_get_rowbytes(png, info);
  if (png_get_channels(png, info) != 3 || rowBytes != size_t{width} * 3) return false;
  reader.block.resize(rowBytes * height);
  reader.rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) reader.rows[y] = &reader.block[y * rowBytes];
  png_read_image(png, reader.rows.data());
  png_read_end(png, nullptr);
  PictureAlloc(picture, static_cast<int32_t>(width), static_cast<int32_t>(height));
  const png_byte* rgb = reader.block.data();
  for (size_t i = 0; i < size_t{width} * height; ++i, rgb += 3) {
    picture.pixels[i] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2];
  }
  return true;
}

bool ReadPng(FILE* file, Picture& picture) {
  PngReader reader;
  reader.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (reader.png == nullptr) return false;
  reader.info = png_create_info_struct(reader.png);
  if (reader.info == nullptr) return false;
  if (setjmp(png_jmpbuf(reader.png))) return false;
  png_init_io(reader.png, file);
  png_set_sig_bytes(reader.png, 8);
  png_read_info(reader.png, reader.info);
  return ReadPixels(reader, picture);
}

}  // namespace

bool LoadPng(const char* name, Picture& picture) {
  FilePtr file = OpenFile(name, "rb");
  if (!file) return false;
  png_byte signature[8];
  if (std::fread(signature, 1, 8, file.get()) != 8 || png_sig_cmp(signature, 0, 8) != 0) {
    return false;
  }
  if (ReadPng(file.get(), picture)) return true;
  PictureFree(picture);
  return false;
}
