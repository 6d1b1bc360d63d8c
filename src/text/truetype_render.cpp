// Rendering the character set 0..255 of a TrueType font into a GlyphTable.
//
// First pass: every glyph is loaded, copied, sheared for italics, moved so
// that its origin is raster pixel (320, 240) and measured. Between the passes
// the planes are sized and allocated. Second pass: every copy is rendered into
// the shared raster, its box copied into the planes (top row first) as edge
// and solid bits and then cleared again. The raster starts clear, as every
// rendering leaves it, so it is never cleared whole.
//
// Every glyph with ink is checked against the raster in the first pass, so
// that no plane is sized from, and no copy reads, a box that leaves it.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "base/fatal.h"
#include "text/outline_raster.h"
#include "text/truetype.h"

namespace {

constexpr int CODES = 256;
constexpr FT_Pos ORIGIN_X = 20480;  // 320 pixels in 26.6
constexpr FT_Pos ORIGIN_Y = 15360;  // 240 pixels: raster row 240 is the baseline
constexpr int BASELINE_ROW = 240;
constexpr const char* INTERNAL_ERROR = "Internal error !";

// A glyph's box in whole raster pixels: columns xMin..xMax-1, rows yMin..yMax-1.
struct PixelBox {
  int64_t xMin, yMin, xMax, yMax;
};

// Smallest and greatest box values over the glyphs with ink.
struct Extents {
  bool set = false;
  int64_t xMin = INT64_MAX, yMin = INT64_MAX, xMax = INT64_MIN, yMax = INT64_MIN;
};

// One pixel of margin on each side; a value that is exactly 0 stays 0, so an
// empty outline has the box (0, 0, 0, 0).
int64_t PixelEdge(FT_Pos value, int margin) {
  return value == 0 ? 0
                    : static_cast<int64_t>(std::trunc(static_cast<double>(value) / 64 + margin));
}

PixelBox ToPixels(const FT_BBox& box) {
  return {PixelEdge(box.xMin, -1), PixelEdge(box.yMin, -1), PixelEdge(box.xMax, 1),
          PixelEdge(box.yMax, 1)};
}

void CheckBox(const PixelBox& box) {
  if (box.xMax - box.xMin >= 320) FatalError("Glyph is too large (X)!");
  if (box.yMax - box.yMin >= 240) FatalError("Glyph is too large (Y)!");
  if (box.xMin < 0 || box.yMin < 0 || box.xMax > RASTER_WIDTH || box.yMax > RASTER_HEIGHT) {
    FatalError(INTERNAL_ERROR);
  }
}

FT_UInt GlyphIndex(const TrueTypeFont& font, int code) {
  for (const auto& [overrideCode, index] : font.overrides) {
    if (overrideCode == code) return static_cast<FT_UInt>(index);
  }
  return FT_Get_Char_Index(font.face, static_cast<FT_ULong>(code));
}

void LoadCopy(const TrueTypeFont& font, int code, OutlineCopy& copy) {
  if (LoadScaledGlyph(font.face, GlyphIndex(font, code)) != 0) {
    FatalError("FreeType: TT_Load_Glyph failed !");
  }
  const FT_Outline* outline = SlotOutline(font.face);
  if (outline == nullptr) FatalError("FreeType: TT_Get_Glyph_Outline failed !");
  try {
    copy.CopyFrom(*outline);
  } catch (const std::bad_alloc&) {
    FatalError("FreeType: TT_New_Outline failed !");
  }
}

void Widen(Extents& extents, const PixelBox& box) {
  extents.set = true;
  extents.xMin = std::min(extents.xMin, box.xMin);
  extents.yMin = std::min(extents.yMin, box.yMin);
  extents.xMax = std::max(extents.xMax, box.xMax);
  extents.yMax = std::max(extents.yMax, box.yMax);
}

// First pass for one code: the copy, its box and the code's metrics.
PixelBox Measure(const TrueTypeFont& font, GlyphTable& table, int code, int32_t offset,
                 OutlineCopy& copy, Extents& extents) {
  LoadCopy(font, code, copy);
  table.noGlyph.set(static_cast<size_t>(code), GlyphIndex(font, code) == 0);
  if (table.italic != 0) ShearForItalic(copy.outline(), table.sizeY);
  FT_Outline_Translate(&copy.outline(), ORIGIN_X, ORIGIN_Y);
  const PixelBox box = ToPixels(OutlineBox(copy.outline()));
  const int64_t width = box.xMax - box.xMin;
  if (width > 0) CheckBox(box);
  const int64_t advance = (font.face->glyph->advance.x + 32) / 64;
  table.width[code] = static_cast<int32_t>(width);
  table.offset[code] = offset;
  table.advance[code] = static_cast<int32_t>(std::max(advance, width + 1));
  if (width >= 1 && box.yMax - box.yMin >= 1) Widen(extents, box);
  return box;
}

// Both planes in one zeroed block (see GlyphTable::solidBlock).
void AllocatePlanes(GlyphTable& table, const Extents& extents, int32_t stride, int32_t withEdges) {
  if (!extents.set) FatalError(INTERNAL_ERROR);
  const int64_t height = extents.yMax - extents.yMin + 1;
  if (height <= 0 || stride <= 0 || stride < CODES || height < 4) FatalError(INTERNAL_ERROR);
  table.height = static_cast<int32_t>(height);
  table.stride = stride;
  const size_t size = static_cast<size_t>(stride) * static_cast<size_t>(height);
  table.solidBlock = std::make_unique<uint8_t[]>(withEdges != 0 ? 2 * size : size);
  table.solid = table.solidBlock.get();
  table.edgeBlock = nullptr;
  table.edge = withEdges != 0 ? table.solid + size : nullptr;
}

// Eight raster pixels as one number, pixel k in byte k, so that a copy
// classifies them at once.
static_assert(std::endian::native == std::endian::little);
constexpr uint64_t ONES = 0x0101010101010101;
constexpr uint64_t HIGHS = ONES * 0x80;
constexpr uint64_t LOWS = ONES * 0x7f;

// Up to eight pixels; missing ones read as 0.
uint64_t LoadPixels(const uint8_t* pixels, int count) {
  uint64_t bytes = 0;
  if (count == 8) {
    std::memcpy(&bytes, pixels, 8);
  } else {
    for (int k = 0; k < count; ++k) bytes |= uint64_t{pixels[k]} << (8 * k);
  }
  return bytes;
}

// The top bit of each byte set where that byte equals value.
uint64_t BytesEqual(uint64_t bytes, uint8_t value) {
  const uint64_t x = bytes ^ (ONES * value);
  return ~(((x & LOWS) + LOWS) | x | LOWS);
}

// The top bit of each byte set where that byte is at least value (1..128).
uint64_t BytesAtLeast(uint64_t bytes, uint8_t value) {
  return (((bytes | HIGHS) - ONES * value) | bytes) & HIGHS;
}

// Bit k set where byte k has its top bit set.
unsigned TopBits(uint64_t marks) {
  return static_cast<unsigned>((((marks >> 7) & ONES) * 0x0102040810204080) >> 56);
}

// One glyph row of width pixels into its plane bytes, eight pixels a byte,
// clearing the pixels behind it. Values 1 and 2 are edge, solidFrom and up
// solid. In bold a pixel is solid also when the one to its right is; the
// column right of the box never holds ink, so the last pixel needs no
// neighbour. Returns whether the row set a bit in the planes built.
bool CopyRow(uint8_t* pixels, int width, uint8_t solidFrom, bool bold, uint8_t* solid,
             uint8_t* edge) {
  bool ink = false;
  for (int first = 0; first < width; first += 8) {
    const int count = std::min(8, width - first);
    const uint64_t bytes = LoadPixels(pixels + first, count);
    unsigned solidBits = TopBits(BytesAtLeast(bytes, solidFrom));
    if (bold) {
      const bool neighbour = first + 8 < width && pixels[first + 8] >= solidFrom;
      solidBits |= (solidBits >> 1) | (neighbour ? 0x80u : 0u);
    }
    const unsigned edgeBits = TopBits(BytesEqual(bytes, 1) | BytesEqual(bytes, 2));
    std::fill_n(pixels + first, count, uint8_t{0});
    solid[first / 8] = static_cast<uint8_t>(solidBits);
    if (edge != nullptr) edge[first / 8] = static_cast<uint8_t>(edgeBits);
    ink = ink || solidBits != 0 || (edge != nullptr && edgeBits != 0);
  }
  return ink;
}

// Copies the raster rows of code's box into the planes and clears them: the
// rasteriser writes only inside the box. The planes run top row first, so
// raster row yMin + i goes to plane row height - 1 - i: every glyph's lowest
// box row is the last plane row. Records the plane rows with ink as
// GlyphTableFindInk would find them.
void CopyGlyph(GlyphTable& table, int code, const PixelBox& box, GlyphRaster& raster) {
  const uint8_t solidFrom = table.bold != 0 ? 2 : 3;
  const int rows = static_cast<int>(box.yMax - box.yMin);
  for (int i = 0; i < rows; ++i) {
    uint8_t* pixels = raster.data() + static_cast<size_t>(box.yMin + i) * RASTER_WIDTH + box.xMin;
    const int32_t planeRow = table.height - 1 - i;
    const size_t planeByte = static_cast<size_t>(planeRow) * table.stride + table.offset[code];
    const bool ink =
        CopyRow(pixels, table.width[code], solidFrom, table.bold != 0, table.solid + planeByte,
                table.edge != nullptr ? table.edge + planeByte : nullptr);
    if (!ink) continue;
    if (table.inkBottom[code] == 0) table.inkBottom[code] = planeRow + 1;
    table.inkTop[code] = planeRow;
  }
}

// Clears every pixel the glyph may have touched and more, so that a glyph
// whose rendering failed leaves the raster clear.
void ClearBox(GlyphRaster& raster, const PixelBox& box) {
  const int64_t x0 = std::max<int64_t>(box.xMin - 2, 0);
  const int64_t x1 = std::min<int64_t>(box.xMax, RASTER_WIDTH);
  const int64_t y0 = std::max<int64_t>(box.yMin - 2, 0);
  const int64_t y1 = std::min<int64_t>(box.yMax, RASTER_HEIGHT);
  if (x0 >= x1) return;
  for (int64_t y = y0; y < y1; ++y) std::memset(raster.data() + y * RASTER_WIDTH + x0, 0, x1 - x0);
}

}  // namespace

RenderBuffers::RenderBuffers() : copies(CODES) {}
RenderBuffers::~RenderBuffers() = default;

void TrueTypeRender(TrueTypeFont& font, GlyphTable& table, RenderBuffers& buffers,
                    int32_t withEdges, const std::array<uint8_t, 5>& palette) {
  if (table.sizeX < 1 || table.sizeY < 1) FatalError(INTERNAL_ERROR);
  if (SetCharSizes(font.face, table.sizeX, table.sizeY) != 0) {
    FatalError("FreeType: Could not set character sizes !");
  }
  std::vector<OutlineCopy>& copies = buffers.copies;
  GlyphRaster& raster = buffers.raster;
  std::array<PixelBox, CODES> boxes{};
  Extents extents;
  int32_t stride = 0;
  for (int c = 0; c < CODES; ++c) {
    boxes[c] = Measure(font, table, c, stride, copies[c], extents);
    stride += table.width[c];
  }
  AllocatePlanes(table, extents, stride, withEdges);
  const CoverageBytes bytes = CoverageBytesFor(palette);
  for (int c = 0; c < CODES; ++c) {
    // The anti-aliasing rasteriser has no drop-out modes or second pass to set.
    if (RenderOutline(font.engine, copies[c].outline(), raster, bytes) != 0) {
      ClearBox(raster, boxes[c]);  // whatever it wrote before failing
      FatalError("FreeType: TT_Get_Outline_Bitmap failed !");
    }
    table.rise[c] = static_cast<int32_t>(boxes[c].yMin - BASELINE_ROW);
    table.inkTop[c] = table.inkBottom[c] = 0;
    // A glyph without width covers no pixel: nothing to copy or clear.
    if (table.width[c] > 0) CopyGlyph(table, c, boxes[c], raster);
  }
}
