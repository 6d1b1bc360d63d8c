// JPEG pictures through libjpeg (the version 62 interface).
//
// Accepts what libjpeg decodes to one (grey) or three (RGB) components with
// its default output settings. Produces 0x00RRGGBB pixels with bit 0 always
// set, so that no JPEG pixel is the transparent key 0. A libjpeg error, another
// component count or a size beyond PictureSizeIsSane fails with the picture
// empty.
#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "pictures/image_loader.h"
#include "resources/file_ptr.h"

namespace {

struct JpegErrorManager {
  jpeg_error_mgr standard;
  std::jmp_buf recovery;
};

// libjpeg's own exit would end the process: print its message, then recover.
void JpegErrorExit(j_common_ptr info) {
  (*info->err->output_message)(info);
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->recovery, 1);
}

// libjpeg's warnings go to standard error otherwise; a warning is no failure.
void JpegSilence(j_common_ptr, int) {}

void ConvertRow(const JSAMPLE* row, int components, uint32_t* out, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, row += components) {
    uint32_t rgb = components == 1 ? row[0] * 0x010101u
                                   : uint32_t{row[0]} << 16 | uint32_t{row[1]} << 8 | row[2];
    out[x] = rgb | 1;
  }
}

// Runs under the recovery point: holds nothing that needs destroying.
bool Decompress(jpeg_decompress_struct& info, Picture& picture) {
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  int components = info.output_components;
  if ((components != 1 && components != 3) ||
      !PictureSizeIsSane(info.output_width, info.output_height, 4)) {
    return false;
  }
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * components, 1);
  PictureAlloc(picture, static_cast<int32_t>(info.output_width),
               static_cast<int32_t>(info.output_height));
  while (info.output_scanline < info.output_height) {
    uint32_t* out = picture.pixels + size_t{info.output_scanline} * info.output_width;
    jpeg_read_scanlines(&info, row, 1);
    ConvertRow(row[0], components, out, info.output_width);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

bool LoadJpeg(const char* name, Picture& picture) {
  FilePtr file = OpenFile(name, "rb");
  if (!file) return false;
  jpeg_decompress_struct info{};
  JpegErrorManager errors{};
  info.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = JpegErrorExit;
  errors.standard.emit_message = JpegSilence;
  volatile bool ok = false;
  if (setjmp(errors.recovery) == 0) {
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    ok = Decompress(info, picture);
  }
  jpeg_destroy_decompress(&info);
  if (!ok) PictureFree(picture);
  return ok;
}
