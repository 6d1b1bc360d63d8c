#include "magtool/check_picture_hints.h"

#include <cstdlib>
#include <cstring>

#include "pictures/picture.h"
#include "resources/byte_reader.h"

namespace {

constexpr size_t GIF_TABLE_AT = 13;
constexpr uint8_t GIF_TABLE_FLAG = 0x80;
constexpr const char* RESAVE = "; save it again, or as PNG";

size_t GifTableBytes(uint8_t packed) { return size_t{3} << ((packed & 7) + 1); }

std::string SizeText(int64_t width, int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

// The image descriptor's fields, past the extension blocks, as the loader reads them.
std::string GifImageRefusal(ByteReader in) {
  while (in.remaining() > 0 && in.data[in.pos] == 0x21) {
    in.skip(2);
    for (uint8_t length = in.get8(); length != 0 && !in.overrun; length = in.get8()) {
      in.skip(length);
    }
  }
  in.skip(5);
  const int width = in.get16le(), height = in.get16le();
  const uint8_t packed = in.get8();
  if ((packed & GIF_TABLE_FLAG) != 0) in.skip(GifTableBytes(packed));
  const int codeSize = in.get8();
  if (in.overrun) return std::string("GIF: the file is cut short") + RESAVE;
  if (!PictureSizeIsSane(width, height, 1)) {
    return "GIF: an image of " + SizeText(width, height) + " pixels is not read" + RESAVE;
  }
  if (codeSize < 2 || codeSize > 9) {
    return "GIF: an LZW code size of " + std::to_string(codeSize) + " is not read (2 to 9 are)" +
           RESAVE;
  }
  return std::string("GIF: the file is damaged") + RESAVE;
}

}  // namespace

std::optional<std::string> GifMisreading(const std::vector<uint8_t>& file) {
  if (file.size() < GIF_TABLE_AT || (file[10] & GIF_TABLE_FLAG) != 0) return std::nullopt;
  return "GIF without a global colour table: the reader takes the " +
         std::to_string(GifTableBytes(file[10])) +
         " bytes after the screen descriptor for one and misreads the picture; save it with a "
         "global colour table";
}

std::string GifRefusal(const std::vector<uint8_t>& file) {
  const bool signed87 = file.size() >= 6 && std::memcmp(file.data(), "GIF87a", 6) == 0;
  const bool signed89 = file.size() >= 6 && std::memcmp(file.data(), "GIF89a", 6) == 0;
  if (!signed87 && !signed89) return std::string("GIF: not a GIF87a or GIF89a file") + RESAVE;
  if (const std::optional<std::string> misreading = GifMisreading(file)) return *misreading;
  ByteReader in{file.data(), file.size()};
  in.skip(GIF_TABLE_AT + (file.size() > 10 ? GifTableBytes(file[10]) : 0));
  if (in.overrun) return std::string("GIF: the file is cut short") + RESAVE;
  return GifImageRefusal(in);
}

std::string BmpRefusal(const std::vector<uint8_t>& file) {
  ByteReader in{file.data(), file.size()};
  const bool signedBm = in.get16le() == 0x4D42;
  in.seek(18);
  const int32_t width = static_cast<int32_t>(in.get32le());
  const int32_t height = static_cast<int32_t>(in.get32le());
  in.skip(2);
  const uint16_t bits = in.get16le();
  const uint32_t compression = in.get32le();
  in.skip(12);
  const uint32_t colours = in.get32le();
  in.skip(4);  // important colours; the masks of 32-bit pixels follow
  const bool bgrx =
      in.get32le() == 0x00FF0000 && in.get32le() == 0x0000FF00 && in.get32le() == 0xFF;
  if (!signedBm) return std::string("BMP: not a Windows bitmap") + RESAVE;
  if (in.overrun) return std::string("BMP: the file is cut short") + RESAVE;
  const bool plain =
      compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
  const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  const bool masked = compression == 3 && bits == 32 && bgrx;
  if (bits == 16) return "BMP: 16-bit pixels are not read; save as 24-bit or 8-bit";
  if (compression == 3 && bits == 32 && !bgrx) {
    return "BMP: 32-bit pixels with colour masks other than blue, green, red and an unused byte "
           "are not read; save as 24-bit";
  }
  if (compression == 4 || compression == 5) {
    return "BMP: a JPEG or PNG inside a BMP is not read; use the PNG or JPEG itself";
  }
  if (!plain && !rle && !masked) {
    return "BMP: " + std::to_string(bits) + "-bit pixels with compression " +
           std::to_string(compression) + " are not read; save as 24-bit or 8-bit";
  }
  if (width < 1 || height == 0 || !PictureSizeIsSane(width, std::abs(int64_t{height}), 4)) {
    return "BMP: a picture of " + SizeText(width, height) + " pixels is not read" + RESAVE;
  }
  if (bits <= 8 && colours > 256) {
    return "BMP: a palette of " + std::to_string(colours) + " colours is not read (256 at most)" +
           RESAVE;
  }
  return std::string("BMP: the file ends before its palette or pixels do") + RESAVE;
}
