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
#include <cmath>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "engine/fatal.h"
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

void AllocatePlanes(GlyphTable& table, const Extents& extents, int32_t stride, int32_t withEdges) {
  if (!extents.set) FatalError(INTERNAL_ERROR);
  const int64_t height = extents.yMax - extents.yMin + 1;
  if (height <= 0 || stride <= 0 || stride < CODES || height < 4) FatalError(INTERNAL_ERROR);
  table.height = static_cast<int32_t>(height);
  table.stride = stride;
  const size_t size = static_cast<size_t>(stride) * static_cast<size_t>(height);
  table.solidBlock = std::make_unique<uint8_t[]>(size);
  table.solid = table.solidBlock.get();
  table.edgeBlock = withEdges != 0 ? std::make_unique<uint8_t[]>(size) : nullptr;
  table.edge = table.edgeBlock.get();
}

// What a raster value counts as: bit 0 edge, bit 1 solid.
using ValueKinds = std::array<uint8_t, 256>;

ValueKinds KindsOf(int32_t bold) {
  const int solidFrom = bold != 0 ? 2 : 3;
  ValueKinds kinds{};
  for (int v = 0; v < 256; ++v) kinds[v] = (v == 1 || v == 2 ? 1 : 0) | (v >= solidFrom ? 2 : 0);
  return kinds;
}

// One glyph row of width pixels into its plane bytes, eight pixels a byte. In
// bold a pixel is solid also when the one to its right is; the column right
// of the box never holds ink, so the last pixel needs no neighbour.
void CopyRow(const uint8_t* pixels, int width, const ValueKinds& kinds, bool bold, uint8_t* solid,
             uint8_t* edge) {
  for (int first = 0; first < width; first += 8) {
    const int count = std::min(8, width - first);
    const int reach = bold ? std::min(count + 1, width - first) : count;
    unsigned solidBits = 0, edgeBits = 0;
    for (int k = 0; k < reach; ++k) {
      const unsigned kind = kinds[pixels[first + k]];
      edgeBits |= (kind & 1u) << k;
      solidBits |= (kind >> 1) << k;
    }
    if (bold) solidBits |= solidBits >> 1;
    const unsigned inGlyph = (1u << count) - 1;
    solid[first / 8] = static_cast<uint8_t>(solidBits & inGlyph);
    if (edge != nullptr) edge[first / 8] = static_cast<uint8_t>(edgeBits & inGlyph);
  }
}

// Copies the raster rows of code's box into the planes. The planes run top
// row first, so raster row yMin + i goes to plane row height - 1 - i: every
// glyph's lowest box row is the last plane row.
void CopyGlyph(GlyphTable& table, int code, const PixelBox& box, const GlyphRaster& raster,
               const ValueKinds& kinds) {
  const int rows = static_cast<int>(box.yMax - box.yMin);
  for (int i = 0; i < rows; ++i) {
    const uint8_t* pixels =
        raster.data() + static_cast<size_t>(box.yMin + i) * RASTER_WIDTH + box.xMin;
    const size_t planeByte =
        static_cast<size_t>(table.height - 1 - i) * table.stride + table.offset[code];
    CopyRow(pixels, table.width[code], kinds, table.bold != 0, table.solid + planeByte,
            table.edge != nullptr ? table.edge + planeByte : nullptr);
  }
}

// Clears the pixels the glyph may have touched, so the next starts from empty.
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
  const ValueKinds kinds = KindsOf(table.bold);
  for (int c = 0; c < CODES; ++c) {
    // The anti-aliasing rasteriser has no drop-out modes or second pass to set.
    if (RenderOutline(font.engine, copies[c].outline(), raster, bytes) != 0) {
      ClearBox(raster, boxes[c]);  // whatever it wrote before failing
      FatalError("FreeType: TT_Get_Outline_Bitmap failed !");
    }
    table.rise[c] = static_cast<int32_t>(boxes[c].yMin - BASELINE_ROW);
    if (table.width[c] > 0) CopyGlyph(table, c, boxes[c], raster, kinds);
    ClearBox(raster, boxes[c]);
  }
  GlyphTableFindInk(table);
}
