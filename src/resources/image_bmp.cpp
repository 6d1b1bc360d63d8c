// BMP: uncompressed Windows bitmaps.
//
// Accepts: a 14-byte file header of type "BM" and a 40-byte information header
// giving a width of at least 1, a non-zero height (positive: rows stored
// bottom-up; negative: top-down), 8 or 24 bits per pixel and compression 0.
// An 8-bit file holds a palette of its colours-used count (0 meaning 256, at
// most 256) of blue, green, red, reserved bytes, placed right after the
// information header by that header's own size field. Pixel rows start at the
// header's data offset and are padded to 4 bytes; the last row's padding may
// be missing.
// Produces: a Picture of width x |height| pixels 0x00RRGGBB, top row first.
// Palette indices beyond the colours the file defines give black.
// Fails (false, picture empty) when the file cannot be read, a header field is
// out of range, the picture would be beyond PICTURE_MAX_BYTES, or the palette
// or the pixel rows run past the end of the file.
#include <array>
#include <climits>
#include <cstdio>
#include <vector>

#include "resources/byte_reader.h"
#include "resources/image_loader.h"

namespace {

constexpr uint16_t BMP_TYPE = 0x4D42;  // "BM"
constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t MAX_COLOURS = 256;

struct BmpContext {
  ByteReader in;
  uint32_t dataOffset = 0;
  uint32_t infoSize = 0;
  int32_t width = 0;
  int32_t storedHeight = 0;
  uint16_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
  size_t rows = 0;
  size_t rowBytes = 0;  // pixel bytes of one row, without padding
  size_t stride = 0;    // with padding
  std::array<uint32_t, MAX_COLOURS> palette{};
};

uint32_t Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
}

bool ReadFileHeader(BmpContext& c) {
  const uint16_t type = c.in.get16le();
  c.in.skip(8);  // file size and two reserved words: not used
  c.dataOffset = c.in.get32le();
  return !c.in.overrun && type == BMP_TYPE;
}

bool ReadInfoHeader(BmpContext& c) {
  c.infoSize = c.in.get32le();
  c.width = static_cast<int32_t>(c.in.get32le());
  c.storedHeight = static_cast<int32_t>(c.in.get32le());
  c.in.skip(2);  // planes
  c.bitCount = c.in.get16le();
  c.compression = c.in.get32le();
  c.in.skip(12);  // image size and resolutions: not used
  c.coloursUsed = c.in.get32le();
  c.in.skip(4);  // important colours
  return !c.in.overrun && (c.bitCount == 8 || c.bitCount == 24) && c.compression == 0;
}

// Checked before anything is allocated: the size must be sane and every row
// must lie within the file.
bool CheckGeometry(BmpContext& c) {
  if (c.width < 1 || c.storedHeight == 0 || c.storedHeight == INT32_MIN) return false;
  c.rows = static_cast<size_t>(c.storedHeight < 0 ? -c.storedHeight : c.storedHeight);
  if (!PictureSizeIsSane(c.width, static_cast<int64_t>(c.rows), sizeof(uint32_t))) return false;
  c.rowBytes = static_cast<size_t>(c.width) * (c.bitCount / 8);
  c.stride = (c.rowBytes + 3) & ~size_t{3};
  const uint64_t end = uint64_t{c.dataOffset} + (c.rows - 1) * c.stride + c.rowBytes;
  return end <= c.in.size;
}

bool ReadPalette(BmpContext& c) {
  const uint32_t count = c.coloursUsed == 0 ? MAX_COLOURS : c.coloursUsed;
  if (count > MAX_COLOURS) return false;
  c.in.seek(uint64_t{FILE_HEADER_SIZE} + c.infoSize);
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t blue = c.in.get8();
    const uint8_t green = c.in.get8();
    const uint8_t red = c.in.get8();
    c.in.skip(1);  // reserved
    c.palette[i] = Rgb(red, green, blue);
  }
  return !c.in.overrun;
}

void ReadRow(BmpContext& c, uint32_t* out) {
  for (int32_t x = 0; x < c.width; ++x) {
    if (c.bitCount == 8) {
      out[x] = c.palette[c.in.get8()];
    } else {
      const uint8_t blue = c.in.get8();
      const uint8_t green = c.in.get8();
      out[x] = Rgb(c.in.get8(), green, blue);
    }
  }
}

// Bottom-up files are flipped by storing each file row where it belongs.
size_t PictureRow(const BmpContext& c, size_t fileRow) {
  return c.storedHeight > 0 ? c.rows - 1 - fileRow : fileRow;
}

bool ReadPixels(BmpContext& c, Picture& picture) {
  PictureAlloc(picture, c.width, static_cast<int32_t>(c.rows));
  for (size_t row = 0; row < c.rows; ++row) {
    c.in.seek(uint64_t{c.dataOffset} + row * c.stride);
    ReadRow(c, picture.pixels + PictureRow(c, row) * static_cast<size_t>(c.width));
  }
  return !c.in.overrun;
}

bool DecodeBmp(const std::vector<uint8_t>& file, Picture& picture) {
  BmpContext c{ByteReader{file.data(), file.size()}};
  return ReadFileHeader(c) && ReadInfoHeader(c) && CheckGeometry(c) &&
         (c.bitCount != 8 || ReadPalette(c)) && ReadPixels(c, picture);
}

}  // namespace

bool LoadBmp(const char* name, Picture& picture) {
  std::vector<uint8_t> file;
  const bool loaded = ReadWholeFile(name, file) && DecodeBmp(file, picture);
  if (!loaded) PictureFree(picture);
  return loaded;
}
