#include "pictures/bmp_rle.h"

#include <algorithm>

namespace {

constexpr uint8_t END_OF_LINE = 0;
constexpr uint8_t END_OF_BITMAP = 1;
constexpr uint8_t DELTA = 2;

struct RleCursor {
  ByteReader in;
  int bits;
  const BmpRleTarget& out;
  size_t x = 0;
  size_t row = 0;  // in file order, below out.rows while decoding
};

void Put(RleCursor& c, uint8_t index) {
  if (c.x >= c.out.width) return;
  const size_t row = c.out.bottomUp ? c.out.rows - 1 - c.row : c.row;
  c.out.pixels[row * c.out.width + c.x++] = c.out.palette[index];
}

// The index of a run's i-th pixel: the byte itself, or its nibbles in turn.
uint8_t RunIndex(int bits, uint8_t value, int i) {
  if (bits == 8) return value;
  return i % 2 == 0 ? value >> 4 : value & 0x0F;
}

void PutRun(RleCursor& c, int count, uint8_t value) {
  for (int i = 0; i < count && c.x < c.out.width; ++i) Put(c, RunIndex(c.bits, value, i));
}

void PutAbsolute(RleCursor& c, int count) {
  const int bytes = c.bits == 8 ? count : (count + 1) / 2;
  for (int i = 0; i < bytes; ++i) {
    const uint8_t value = c.in.get8();
    if (c.in.overrun) return;
    PutRun(c, c.bits == 8 ? 1 : std::min(2, count - 2 * i), value);
  }
  if (bytes % 2 != 0) c.in.skip(1);
}

}  // namespace

void DecodeBmpRle(ByteReader in, int bits, const BmpRleTarget& target) {
  RleCursor c{in, bits, target};
  while (c.row < target.rows) {
    const uint8_t count = c.in.get8();
    const uint8_t value = c.in.get8();
    if (c.in.overrun) return;
    if (count > 0) {
      PutRun(c, count, value);
    } else if (value == END_OF_LINE) {
      c.x = 0;
      ++c.row;
    } else if (value == END_OF_BITMAP) {
      return;
    } else if (value == DELTA) {
      c.x += c.in.get8();
      c.row += c.in.get8();
    } else {
      PutAbsolute(c, value);
    }
  }
}
