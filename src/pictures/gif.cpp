// GIF: the first image of a file laid out as header, logical screen
// descriptor, global colour table, any extension blocks, and one image
// descriptor with its optional local colour table and its LZW data.
//
// Accepts: signature "GIF89a" or "GIF87a"; a global colour table of 2^(n+1)
// entries, n being the low 3 bits of the screen descriptor's packed byte,
// always present whatever the table flag says; then extension blocks (0x21, a
// label, sub-blocks up to an empty one), skipped; any other byte starts the
// image descriptor (the separator itself is not examined); a local colour
// table when the descriptor's packed byte has bit 7 set, of 2^(k+1) entries, k
// its low 3 bits; an image of at least 1 x 1 within PICTURE_MAX_BYTES; an LZW
// minimum code size of 2..9.
// Produces: an IndexedPicture of the image's size holding the decoded indices,
// the rows of an interlaced image (packed bit 6) put in their places from the
// four passes (every 8th row from 0, every 8th from 4, every 4th from 2,
// every 2nd from 1); and, when palette is not null, the local colour table if
// there is one, else the global one, in its first bytes, zeros up to
// GIF_PALETTE_SIZE.
// Fails (0, picture empty, palette untouched) when the file cannot be read, its
// signature is neither, it ends inside the header, a colour table, an
// extension or the image descriptor, or the image size or minimum code size is
// out of range.
// A damaged LZW stream is not a failure: decoding stops at the end of the data,
// at an empty sub-block or at a code beyond the next free one, keeping what was
// decoded; the pixels not reached stay 0.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "pictures/image_loader.h"
#include "resources/byte_reader.h"

namespace {

constexpr size_t SIGNATURE_SIZE = 6;
constexpr size_t PACKED_AT = 10;
constexpr size_t TABLE_AT = 13;
constexpr size_t DESCRIPTOR_SIZE = 11;  // separator to minimum code size
constexpr uint8_t EXTENSION_INTRODUCER = 0x21;
constexpr uint8_t LOCAL_TABLE_FLAG = 0x80;
constexpr uint8_t INTERLACED_FLAG = 0x40;
constexpr int MIN_CODE_SIZE_LOW = 2;
constexpr int MIN_CODE_SIZE_HIGH = 9;
constexpr int MAX_CODE_BITS = 12;
constexpr int TABLE_SIZE = 1 << MAX_CODE_BITS;

// Interlaced rows are stored in four passes, each every step-th row from first.
struct Pass {
  int first, step;
};
constexpr std::array<Pass, 4> INTERLACE_PASSES{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};

struct GifLayout {
  ByteReader in;
  const uint8_t* table = nullptr;  // the local colour table, else the global one
  size_t tableBytes = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  int minCodeSize = 0;
};

struct LzwContext {
  LzwContext(ByteReader data, uint8_t* pixels, int width, std::vector<uint32_t> rowOrder,
             int minimumCodeSize)
      : in(data),
        out(pixels),
        outWidth(static_cast<size_t>(width)),
        rowOf(std::move(rowOrder)),
        outSize(outWidth * rowOf.size()),
        minCodeSize(minimumCodeSize),
        clear(1 << minimumCodeSize),
        end(clear + 1),
        firstFree(clear + 2) {}

  ByteReader in;  // at the first sub-block
  uint8_t* out;
  size_t outWidth;
  std::vector<uint32_t> rowOf;  // the picture row of each stored row
  size_t outSize;
  size_t outPos = 0;
  uint8_t* outRow = nullptr;  // the picture row being filled
  size_t column = 0;

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

size_t TableBytes(uint8_t packed) { return size_t{3} << ((packed & 7) + 1); }

// The header, the screen descriptor and the colour table that follows it.
bool ReadScreenDescriptor(GifLayout& g) {
  if (g.in.remaining() < TABLE_AT) return false;
  const bool signed89 = std::memcmp(g.in.data, "GIF89a", SIGNATURE_SIZE) == 0;
  const bool signed87 = std::memcmp(g.in.data, "GIF87a", SIGNATURE_SIZE) == 0;
  g.tableBytes = TableBytes(g.in.data[PACKED_AT]);
  if (!(signed89 || signed87) || g.in.remaining() < TABLE_AT + g.tableBytes) return false;
  g.table = g.in.data + TABLE_AT;
  g.in.skip(TABLE_AT + g.tableBytes);
  return true;
}

// Graphic control, comment, application and plain text blocks alike: the
// introducer, a label, then sub-blocks up to an empty one.
bool SkipExtensions(GifLayout& g) {
  while (g.in.remaining() > 0 && g.in.data[g.in.pos] == EXTENSION_INTRODUCER) {
    g.in.skip(2);
    for (uint8_t length = g.in.get8(); length != 0; length = g.in.get8()) g.in.skip(length);
    if (g.in.overrun) return false;
  }
  return true;
}

bool ReadImageDescriptor(GifLayout& g) {
  if (g.in.remaining() < DESCRIPTOR_SIZE) return false;
  g.in.skip(5);  // separator, left and top: not used
  g.width = g.in.get16le();
  g.height = g.in.get16le();
  const uint8_t packed = g.in.get8();
  g.interlaced = (packed & INTERLACED_FLAG) != 0;
  if ((packed & LOCAL_TABLE_FLAG) != 0) {
    g.tableBytes = TableBytes(packed);
    if (g.in.remaining() <= g.tableBytes) return false;
    g.table = g.in.data + g.in.pos;
    g.in.skip(g.tableBytes);
  }
  g.minCodeSize = g.in.get8();
  return PictureSizeIsSane(g.width, g.height, 1) && g.minCodeSize >= MIN_CODE_SIZE_LOW &&
         g.minCodeSize <= MIN_CODE_SIZE_HIGH;
}

void CopyPalette(const GifLayout& g, uint8_t* palette) {
  static_assert((size_t{3} << 8) == GIF_PALETTE_SIZE, "the largest table fills the palette");
  std::fill_n(palette, GIF_PALETTE_SIZE, 0);
  std::copy_n(g.table, g.tableBytes, palette);
}

// The picture row of each stored row.
std::vector<uint32_t> RowOrder(int height, bool interlaced) {
  std::vector<uint32_t> order;
  order.reserve(static_cast<size_t>(height));
  const auto add = [&](Pass pass) {
    for (int row = pass.first; row < height; row += pass.step) {
      order.push_back(static_cast<uint32_t>(row));
    }
  };
  if (interlaced) {
    for (const Pass pass : INTERLACE_PASSES) add(pass);
  } else {
    add({0, 1});
  }
  return order;
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

// Each stored row goes to its picture row; output beyond the picture is dropped.
void Emit(LzwContext& c, uint8_t index) {
  if (c.outPos == c.outSize) return;
  if (c.column == 0) c.outRow = c.out + size_t{c.rowOf[c.outPos / c.outWidth]} * c.outWidth;
  c.outRow[c.column] = index;
  ++c.outPos;
  if (++c.column == c.outWidth) c.column = 0;
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
  if (!ReadScreenDescriptor(g) || !SkipExtensions(g) || !ReadImageDescriptor(g)) return false;
  if (palette != nullptr) CopyPalette(g, palette);
  IndexedPictureAlloc(picture, g.width, g.height);
  auto lzw = std::make_unique<LzwContext>(g.in, picture.pixels, g.width,
                                          RowOrder(g.height, g.interlaced), g.minCodeSize);
  DecodeImage(*lzw);
  return true;
}

}  // namespace

bool LoadGif(const char* name, IndexedPicture& picture, uint8_t* palette) {
  std::vector<uint8_t> file;
  const bool loaded = ReadWholeFile(name, file) && DecodeGif(file, picture, palette);
  if (!loaded) PictureFree(picture);
  return loaded;
}
