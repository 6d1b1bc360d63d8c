// BMP: Windows bitmaps, uncompressed or run-length coded.
//
// Accepts: a 14-byte file header of type "BM" and a 40-byte information header
// (a longer one's further fields are not read) giving a width of at least 1, a
// non-zero height (positive: rows stored bottom-up; negative: top-down) and one
// of these kinds: 1, 4, 8, 24 or 32 (blue, green, red, unused) bits per pixel
// uncompressed (compression 0); 32 bits with compression 3 whose red, green
// and blue masks, the 12 bytes after the 40 header bytes, are 00FF0000,
// 0000FF00 and 000000FF; 8 bits run-length coded (compression 1); 4 bits
// run-length coded (compression 2), as bmp_rle.h reads them.
// A file of 1, 4 or 8 bits holds a palette of its colours-used count (0
// meaning 2^bits, at most 256) of blue, green, red, reserved bytes, placed
// right after the information header by that header's own size field. Pixel
// rows start at the header's data offset; uncompressed rows are padded to 4
// bytes, the leftmost pixel in a byte's high bits, and the last row's padding
// may be missing.
// Produces: a Picture of width x |height| pixels 0x00RRGGBB, top row first.
// Palette indices beyond the colours the file defines give black.
// Fails (false, picture empty) when the file cannot be read, a header field is
// out of range, the picture would be beyond PICTURE_MAX_BYTES, the palette
// runs past the end of the file, or uncompressed pixel rows or the start of
// run-length data do. Run-length data that is cut or damaged is no failure.
#include <array>
#include <climits>
#include <cstdio>
#include <vector>

#include "pictures/bmp_rle.h"
#include "pictures/image_loader.h"
#include "resources/byte_reader.h"

namespace {

constexpr uint16_t BMP_TYPE = 0x4D42;  // "BM"
constexpr size_t FILE_HEADER_SIZE = 14;
constexpr uint32_t MAX_COLOURS = 256;
constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;
constexpr size_t MASKS_AT = FILE_HEADER_SIZE + 40;
constexpr uint32_t RED_MASK = 0x00FF0000, GREEN_MASK = 0x0000FF00, BLUE_MASK = 0x000000FF;

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
  return !c.in.overrun;
}

bool KindIsRead(const BmpContext& c) {
  switch (c.compression) {
    case BI_RGB:
      return c.bitCount == 1 || c.bitCount == 4 || c.bitCount == 8 || c.bitCount == 24 ||
             c.bitCount == 32;
    case BI_RLE8:
      return c.bitCount == 8;
    case BI_RLE4:
      return c.bitCount == 4;
    case BI_BITFIELDS:
      return c.bitCount == 32;
    default:
      return false;
  }
}

// Only the masks that make the pixels plain blue, green, red and unused bytes.
bool MasksAreBgrx(BmpContext& c) {
  c.in.seek(MASKS_AT);
  const uint32_t red = c.in.get32le(), green = c.in.get32le(), blue = c.in.get32le();
  return !c.in.overrun && red == RED_MASK && green == GREEN_MASK && blue == BLUE_MASK;
}

bool RunLengthCoded(const BmpContext& c) {
  return c.compression == BI_RLE8 || c.compression == BI_RLE4;
}

// Checked before anything is allocated: the size must be sane and every row
// must lie within the file.
bool CheckGeometry(BmpContext& c) {
  if (c.width < 1 || c.storedHeight == 0 || c.storedHeight == INT32_MIN) return false;
  c.rows = static_cast<size_t>(c.storedHeight < 0 ? -c.storedHeight : c.storedHeight);
  if (!PictureSizeIsSane(c.width, static_cast<int64_t>(c.rows), sizeof(uint32_t))) return false;
  c.rowBytes = (static_cast<size_t>(c.width) * c.bitCount + 7) / 8;
  c.stride = (c.rowBytes + 3) & ~size_t{3};
  if (RunLengthCoded(c)) return c.dataOffset <= c.in.size;
  const uint64_t end = uint64_t{c.dataOffset} + (c.rows - 1) * c.stride + c.rowBytes;
  return end <= c.in.size;
}

bool ReadPalette(BmpContext& c) {
  const uint32_t count = c.coloursUsed == 0 ? uint32_t{1} << c.bitCount : c.coloursUsed;
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

// Indices of 1 or 4 bits, the leftmost pixel in a byte's high bits.
void ReadPackedRow(BmpContext& c, uint32_t* out) {
  const int perByte = 8 / c.bitCount;
  const unsigned mask = (1u << c.bitCount) - 1;
  uint8_t byte = 0;
  for (int32_t x = 0; x < c.width; ++x) {
    if (x % perByte == 0) byte = c.in.get8();
    out[x] = c.palette[byte >> (8 - c.bitCount * (x % perByte + 1)) & mask];
  }
}

void ReadRow(BmpContext& c, uint32_t* out) {
  if (c.bitCount < 8) return ReadPackedRow(c, out);
  for (int32_t x = 0; x < c.width; ++x) {
    if (c.bitCount == 8) {
      out[x] = c.palette[c.in.get8()];
    } else {
      const uint8_t blue = c.in.get8();
      const uint8_t green = c.in.get8();
      out[x] = Rgb(c.in.get8(), green, blue);
      if (c.bitCount == 32) c.in.skip(1);  // unused
    }
  }
}

// Bottom-up files are flipped by storing each file row where it belongs.
size_t PictureRow(const BmpContext& c, size_t fileRow) {
  return c.storedHeight > 0 ? c.rows - 1 - fileRow : fileRow;
}

bool ReadPixels(BmpContext& c, Picture& picture) {
  PictureAlloc(picture, c.width, static_cast<int32_t>(c.rows));
  if (RunLengthCoded(c)) {
    c.in.seek(c.dataOffset);
    DecodeBmpRle(
        c.in, c.bitCount,
        {picture.pixels, static_cast<size_t>(c.width), c.rows, c.storedHeight > 0, c.palette});
    return true;
  }
  for (size_t row = 0; row < c.rows; ++row) {
    c.in.seek(uint64_t{c.dataOffset} + row * c.stride);
    ReadRow(c, picture.pixels + PictureRow(c, row) * static_cast<size_t>(c.width));
  }
  return !c.in.overrun;
}

bool DecodeBmp(const std::vector<uint8_t>& file, Picture& picture) {
  BmpContext c{ByteReader{file.data(), file.size()}};
  return ReadFileHeader(c) && ReadInfoHeader(c) && KindIsRead(c) &&
         (c.compression != BI_BITFIELDS || MasksAreBgrx(c)) && CheckGeometry(c) &&
         (c.bitCount > 8 || ReadPalette(c)) && ReadPixels(c, picture);
}

}  // namespace

bool LoadBmp(const char* name, Picture& picture) {
  std::vector<uint8_t> file;
  const bool loaded = ReadWholeFile(name, file) && DecodeBmp(file, picture);
  if (!loaded) PictureFree(picture);
  return loaded;
}
