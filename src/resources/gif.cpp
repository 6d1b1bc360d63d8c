// GIF: the first image of a file laid out as header, logical screen
// descriptor, global colour table and one image descriptor with its LZW data.
//
// Accepts: signature "GIF89a" or "GIF87a"; a colour table of 2^(n+1) entries,
// n being the low 3 bits of the screen descriptor's packed byte, always
// present whatever the table flag says; the image descriptor right after it
// (extensions and local tables are not read, interlaced rows stay in stored
// order); an image of at least 1 x 1 within PICTURE_MAX_BYTES; an LZW minimum
// code size of 2..9.
// Produces: an IndexedPicture of the image's size holding the decoded indices;
// and, when palette is not null, the colour table in its first bytes, zeros up
// to GIF_PALETTE_SIZE.
// Fails (0, picture empty, palette untouched) when the file cannot be read, its
// signature is neither, it ends inside the header, colour table or image
// descriptor, or the image size or minimum code size is out of range.
// A damaged LZW stream is not a failure: decoding stops at the end of the data,
// at an empty sub-block or at a code beyond the next free one, keeping what was
// decoded; the pixels not reached stay 0.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "resources/byte_reader.h"
#include "resources/image_loader.h"

namespace {

constexpr size_t SIGNATURE_SIZE = 6;
constexpr size_t PACKED_AT = 10;
constexpr size_t TABLE_AT = 13;
constexpr size_t DESCRIPTOR_SIZE = 11;  // separator to minimum code size
constexpr int MIN_CODE_SIZE_LOW = 2;
constexpr int MIN_CODE_SIZE_HIGH = 9;
constexpr int MAX_CODE_BITS = 12;
constexpr int TABLE_SIZE = 1 << MAX_CODE_BITS;

struct GifLayout {
  ByteReader in;
  size_t tableBytes = 0;
  int width = 0;
  int height = 0;
  int minCodeSize = 0;
};

struct LzwContext {
  LzwContext(ByteReader data, uint8_t* pixels, size_t pixelCount, int minimumCodeSize)
      : in(data),
        out(pixels),
        outSize(pixelCount),
        minCodeSize(minimumCodeSize),
        clear(1 << minimumCodeSize),
        end(clear + 1),
        firstFree(clear + 2) {}

  ByteReader in;  // at the first sub-block
  uint8_t* out;
  size_t outSize;
  size_t outPos = 0;

  size_t blockLeft = 0;  // bytes of the current sub-block not yet taken
  uint32_t bits = 0;     // gathered bits not yet used, the next code's lowest
  int bitCount = 0;

  int minCodeSize;
  int clear;
  int end;
  int firstFree;
  int codeSize = 0;
  int limit = 0;  // 1 << codeSize
  int nextFree = 0;
  int previous = 0;
  uint8_t firstChar = 0;  // of the previous code's string

  // Codes beyond the next free one are refused, so every reachable entry's
  // prefix is a smaller code: a string is never longer than the table, and
  // the stack never holds more than TABLE_SIZE bytes.
  std::array<uint8_t, TABLE_SIZE> suffix{};
  std::array<uint16_t, TABLE_SIZE> prefix{};
  std::array<uint8_t, TABLE_SIZE> stack{};
  int stackTop = 0;
};

// The header, the screen descriptor and the colour table that follows it.
bool ReadScreenDescriptor(GifLayout& g) {
  if (g.in.remaining() < TABLE_AT) return false;
  const bool signed89 = std::memcmp(g.in.data, "GIF89a", SIGNATURE_SIZE) == 0;
  const bool signed87 = std::memcmp(g.in.data, "GIF87a", SIGNATURE_SIZE) == 0;
  g.tableBytes = size_t{3} << ((g.in.data[PACKED_AT] & 7) + 1);
  if (!(signed89 || signed87) || g.in.remaining() < TABLE_AT + g.tableBytes) return false;
  g.in.skip(TABLE_AT + g.tableBytes);
  return true;
}

bool ReadImageDescriptor(GifLayout& g) {
  if (g.in.remaining() < DESCRIPTOR_SIZE) return false;
  g.in.skip(5);  // separator, left and top: not used
  g.width = g.in.get16le();
  g.height = g.in.get16le();
  g.in.skip(1);  // packed byte: local tables and interlacing are not supported
  g.minCodeSize = g.in.get8();
  return PictureSizeIsSane(g.width, g.height, 1) && g.minCodeSize >= MIN_CODE_SIZE_LOW &&
         g.minCodeSize <= MIN_CODE_SIZE_HIGH;
}

void CopyPalette(const GifLayout& g, uint8_t* palette) {
  static_assert((size_t{3} << 8) == GIF_PALETTE_SIZE, "the largest table fills the palette");
  std::fill_n(palette, GIF_PALETTE_SIZE, 0);
  std::copy_n(g.in.data + TABLE_AT, g.tableBytes, palette);
}

// The next data byte across sub-blocks; false at the end of the data or at
// the empty sub-block that closes it.
bool NextDataByte(LzwContext& c, uint8_t& byte) {
  if (c.blockLeft == 0) {
    if (c.in.remaining() == 0) return false;
    c.blockLeft = c.in.get8();
    if (c.blockLeft == 0) return false;
  }
  if (c.in.remaining() == 0) return false;
  --c.blockLeft;
  byte = c.in.get8();
  return true;
}

// The next code, least significant bit first; false when the data ends first.
bool ReadCode(LzwContext& c, int& code) {
  while (c.bitCount < c.codeSize) {
    uint8_t byte;
    if (!NextDataByte(c, byte)) return false;
    c.bits |= uint32_t{byte} << c.bitCount;
    c.bitCount += 8;
  }
  code = static_cast<int>(c.bits & ((1u << c.codeSize) - 1));
  c.bits >>= c.codeSize;
  c.bitCount -= c.codeSize;
  return true;
}

void ResetCodes(LzwContext& c) {
  c.codeSize = c.minCodeSize + 1;
  c.limit = 1 << c.codeSize;
  c.nextFree = c.firstFree;
}

// Output beyond the picture is dropped.
void Emit(LzwContext& c, uint8_t index) {
  if (c.outPos < c.outSize) c.out[c.outPos++] = index;
}

// Literal codes of a 9-bit minimum code size keep their low byte.
void Push(LzwContext& c, int value) { c.stack[c.stackTop++] = static_cast<uint8_t>(value); }

void PopAll(LzwContext& c) {
  while (c.stackTop > 0) Emit(c, c.stack[--c.stackTop]);
}

// The first code after a clear, or of the stream (an encoder may omit the
// leading clear), starts afresh and adds no entry. False when the data or the
// image ends there.
bool RestartAfterClear(LzwContext& c) {
  ResetCodes(c);
  int code;
  do {
    if (!ReadCode(c, code)) return false;
  } while (code == c.clear);
  if (code == c.end) return false;
  if (code >= c.nextFree) code = 0;
  Emit(c, static_cast<uint8_t>(code));
  c.previous = code;
  c.firstChar = static_cast<uint8_t>(code);
  return true;
}

// Defines the next free code as the previous string plus first, widening codes
// when the next free code reaches the limit. A full table takes nothing more.
void AddEntry(LzwContext& c, int incoming, uint8_t first) {
  if (c.nextFree >= c.limit) return;
  c.firstChar = first;
  c.suffix[c.nextFree] = first;
  c.prefix[c.nextFree] = static_cast<uint16_t>(c.previous);
  c.previous = incoming;
  ++c.nextFree;
  if (c.nextFree == c.limit && c.codeSize < MAX_CODE_BITS) {
    c.limit <<= 1;
    ++c.codeSize;
  }
}

// Outputs the string of a code other than clear and end. False for a code
// beyond the next free one, which no encoder produces.
bool DecodeCode(LzwContext& c, int incoming) {
  if (incoming > c.nextFree) return false;
  int code = incoming;
  if (code == c.nextFree) {  // the string being defined: previous plus its own first
    Push(c, c.firstChar);
    code = c.previous;
  }
  while (code >= c.firstFree) {
    Push(c, c.suffix[code]);
    code = c.prefix[code];
  }
  Push(c, code);
  AddEntry(c, incoming, static_cast<uint8_t>(code));
  PopAll(c);
  return true;
}

void DecodeImage(LzwContext& c) {
  if (!RestartAfterClear(c)) return;
  int code;
  while (c.outPos < c.outSize && ReadCode(c, code) && code != c.end) {
    const bool more = code == c.clear ? RestartAfterClear(c) : DecodeCode(c, code);
    if (!more) return;
  }
}

bool DecodeGif(const std::vector<uint8_t>& file, IndexedPicture& picture, uint8_t* palette) {
  GifLayout g{ByteReader{file.data(), file.size()}};
  if (!ReadScreenDescriptor(g) || !ReadImageDescriptor(g)) return false;
  if (palette != nullptr) CopyPalette(g, palette);
  IndexedPictureAlloc(picture, g.width, g.height);
  const size_t pixelCount = static_cast<size_t>(g.width) * static_cast<size_t>(g.height);
  auto lzw = std::make_unique<LzwContext>(g.in, picture.pixels, pixelCount, g.minCodeSize);
  DecodeImage(*lzw);
  return true;
}

}  // namespace

int LoadGif(const char* name, IndexedPicture& picture, uint8_t* palette) {
  std::vector<uint8_t> file;
  const bool loaded = ReadWholeFile(name, file) && DecodeGif(file, picture, palette);
  if (!loaded) PictureFree(picture);
  return loaded ? 1 : 0;
}
