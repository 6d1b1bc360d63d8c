// Run-length coded BMP pixels (BI_RLE8 and BI_RLE4), decoded into a picture
// through the file's palette.
//
// The data is a stream of byte pairs: a count above 0 repeats its second byte
// count times (in 4-bit files its high and low nibbles in turn); a count of 0
// is an escape whose second byte ends the line (0), ends the bitmap (1), moves
// the cursor right and down by the next two bytes (2), or introduces that many
// indices stored as they are (3..255), padded to a 16-bit word. Pixels a run
// or a move leaves out stay 0 (transparent black); indices past the row's end
// are dropped; a line or a move past the last row, or the end of the data,
// ends decoding with what was written.
// Private to pictures/: nothing outside it includes this header.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "resources/byte_reader.h"

// A picture of width x rows pixels, top row first; the file's first row is
// its bottom one when bottomUp.
struct BmpRleTarget {
  uint32_t* pixels;
  size_t width;
  size_t rows;
  bool bottomUp;
  const std::array<uint32_t, 256>& palette;
};

// Decodes from in's position; bits is 8 or 4.
void DecodeBmpRle(ByteReader in, int bits, const BmpRleTarget& target);
