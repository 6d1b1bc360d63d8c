#include <algorithm>
#include <cstring>

#include "base/fatal.h"
#include "text/font_internal.h"
#include "text/font_manager.h"

namespace {

struct Ink {
  uint32_t colour;
  uint32_t half;  // the colour's share of a half-tone: each byte halved
};

// One glyph placed on the picture: its plane bytes at row 0 of the box. When
// edges are not drawn, edge points at the solid plane and edgeBits is 0, which
// keeps the loops free of tests for a missing plane.
struct PlacedGlyph {
  const uint8_t* solid;
  const uint8_t* edge;
  uint32_t edgeBits;
  int32_t stride, width, height;
  int64_t x, top;
};

// A solid bit sets the colour; an edge bit then mixes the colour half and
// half with what is there, the colour just set included.
inline void Paint(uint32_t& pixel, uint32_t solid, uint32_t edge, const Ink& ink) {
  if (solid) pixel = ink.colour;
  if (edge) pixel = ink.half + ((pixel >> 1) & 0x7F7F7F);
}

// Four pixels in one value: the compilers' vector extension, lowered to
// SSE2 or NEON where present and to plain code elsewhere.
using Quad = uint32_t __attribute__((vector_size(16)));

constexpr Quad LOW_BITS = {1, 2, 4, 8};
constexpr Quad HIGH_BITS = {16, 32, 64, 128};

// All ones in each lane whose bit is set in bits.
inline Quad LaneMask(uint32_t bits, Quad lanes) {
  return __builtin_bit_cast(Quad, (bits & lanes) == lanes);
}

// Paint for four pixels at once, without branches.
inline void PaintQuad(uint32_t* pixels, uint32_t solid, uint32_t edge, Quad lanes, const Ink& ink) {
  Quad p;
  std::memcpy(&p, pixels, sizeof p);
  const Quad solidMask = LaneMask(solid, lanes), edgeMask = LaneMask(edge, lanes);
  p = (p & ~solidMask) | (ink.colour & solidMask);
  const Quad mixed = ink.half + ((p >> 1) & 0x7F7F7F);
  p = (p & ~edgeMask) | (mixed & edgeMask);
  std::memcpy(pixels, &p, sizeof p);
}

// Eight pixels from one plane byte; a byte without bits is skipped.
inline void PaintByte(uint32_t* pixels, uint32_t s, uint32_t e, const Ink& ink) {
  if ((s | e) == 0) return;
  PaintQuad(pixels, s, e, LOW_BITS, ink);
  PaintQuad(pixels + 4, s, e, HIGH_BITS, ink);
}

// The box lies wholly inside: no tests per pixel. The last byte of a row is
// masked to the glyph's width, so stray bits past it are never drawn; it goes
// eight pixels at a time too when the picture row has room for all eight.
void DrawInside(const PlacedGlyph& g, const Ink& ink, Picture& picture) {
  // Locals, as the pixel stores could otherwise alias every field read here.
  const int64_t pitch = picture.width, stride = g.stride;
  const int32_t bytes = (g.width + 7) / 8, height = g.height;
  const uint32_t lastMask = g.width % 8 == 0 ? 0xFF : (1u << (g.width % 8)) - 1;
  const bool lastFits = g.x + 8 * int64_t{bytes} <= pitch;
  const uint32_t edgeBits = g.edgeBits;
  uint32_t* const box = picture.pixels + g.top * pitch + g.x;
  for (int32_t r = 0; r < height; ++r) {
    uint32_t* row = box + r * pitch;
    const uint8_t* solid = g.solid + r * stride;
    const uint8_t* edge = g.edge + r * stride;
    for (int32_t b = 0; b + 1 < bytes; ++b) {
      PaintByte(row + 8 * b, solid[b], edge[b] & edgeBits, ink);
    }
    const uint32_t s = solid[bytes - 1] & lastMask, e = edge[bytes - 1] & edgeBits & lastMask;
    if ((s | e) == 0) continue;
    uint32_t* last = row + 8 * (bytes - 1);
    if (lastFits) {
      PaintByte(last, s, e, ink);
      continue;
    }
    for (int k = 0; k < 8 && g.x + 8 * (bytes - 1) + k < pitch; ++k) {
      Paint(last[k], s & (1u << k), e & (1u << k), ink);
    }
  }
}

void DrawGlyph(const PlacedGlyph& g, const Ink& ink, Picture& picture) {
  const int64_t right = g.x + g.width, bottom = g.top + g.height;
  if (right < 0 || bottom < 0 || g.x >= picture.width || g.top >= picture.height) return;
  if (g.x >= 0 && g.top >= 0 && right < picture.width && bottom < picture.height) {
    DrawInside(g, ink, picture);
    return;
  }
  const int64_t x0 = std::max<int64_t>(g.x, 0), x1 = std::min<int64_t>(right, picture.width);
  const int64_t y0 = std::max<int64_t>(g.top, 0), y1 = std::min<int64_t>(bottom, picture.height);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t planeRow = (y - g.top) * g.stride;
    const uint8_t* solid = g.solid + planeRow;
    const uint8_t* edge = g.edge + planeRow;
    uint32_t* row = picture.pixels + y * picture.width;
    for (int64_t x = x0; x < x1; ++x) {
      const int64_t k = x - g.x;
      const uint32_t bit = 1u << (k % 8);
      Paint(row[x], solid[k / 8] & bit, edge[k / 8] & bit & g.edgeBits, ink);
    }
  }
}

// The glyph's box narrowed to its rows with ink, when the table knows them:
// blank rows draw nothing either way.
PlacedGlyph Place(const GlyphTable& table, uint8_t c, int64_t x, int32_t y, bool antialias) {
  const bool known = table.inkBottom[c] > 0;
  const int32_t first = known ? table.inkTop[c] : 0;
  const int32_t rows = known ? table.inkBottom[c] - first : table.height;
  const size_t at = static_cast<size_t>(first) * table.stride + table.offset[c];
  PlacedGlyph g{table.solid + at, table.solid + at, 0, table.stride, table.width[c], rows, x, 0};
  g.top = int64_t{y} - table.rise[c] - table.height + first;
  if (antialias) g.edge = table.edge + at, g.edgeBits = 0xFF;
  return g;
}

// Row y, the one under the baseline, from x to the pen.
void Underline(int32_t x, int32_t y, float pen, uint32_t colour, Picture& picture) {
  if (y < 0 || y >= picture.height) return;
  const int64_t from = std::max(x, 0);
  const int64_t to = std::min<int64_t>(static_cast<int64_t>(pen), picture.width);
  if (from >= to) return;
  uint32_t* row = picture.pixels + int64_t{y} * picture.width;
  std::fill(row + from, row + to, colour);
}

}  // namespace

int32_t FontDraw(const FontManager& manager, const char* text, int32_t x, int32_t y,
                 uint32_t colour, const GlyphTable* table, Picture& picture, int32_t antialias) {
  if (text == nullptr || text[0] == '\0' || table == nullptr) return 0;
  if (antialias && table->edge == nullptr) FatalError("Antialiasing with NULL table !");
  const Ink ink{colour, (colour & 0xFEFEFE) >> 1};
  float pen = static_cast<float>(x);
  for (const char* p = text; *p != '\0'; ++p) {
    const auto c = static_cast<uint8_t>(*p);
    if (c != ' ' && c != 255 && table->width[c] >= 1) {
      DrawGlyph(Place(*table, c, PenPixel(pen), y, antialias != 0), ink, picture);
    }
    pen = PenAfter(pen, manager, *table, c);
  }
  if (table->underline) Underline(x, y, pen, colour, picture);
  return static_cast<int32_t>(PenPixel(pen) - x);
}
