// GlyphTable: one font at one size and style for the 256 byte codes, as bit
// planes and per-character metrics. BMF fonts and TrueType fonts are both
// turned into one, so that measuring and drawing treat them alike; a null
// table stands for the fixed font everywhere in the article code.
//
// Plane layout: row r (0 = top) starts at byte r * stride. Pixel k of the
// glyph of character c in row r is bit (k % 8) of byte r * stride + offset[c]
// + k / 8, bit 0 leftmost. A set bit in solid is a solid pixel, in edge a
// half-tone pixel. Bits beyond a glyph's width are 0.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>

enum GlyphTableKinds { GLYPHS_TRUETYPE = 0, GLYPHS_BMF = 1 };

struct GlyphTable {
  int32_t kind;                      // GlyphTableKinds
  uint8_t* solid;                    // stride * height bytes
  uint8_t* edge;                     // the same size, or null (a table without half-tones)
  int32_t stride;                    // bytes per plane row
  int32_t height;                    // rows per plane: the text height
  std::array<int32_t, 256> advance;  // pixels the pen moves after c
  std::array<int32_t, 256> offset;   // byte in each plane row where c begins
  std::array<int32_t, 256> width;    // glyph width in pixels; 0: nothing drawn
  int32_t sizeX;                     // requested size in points, kept for cache matching
  int32_t sizeY;                     // also the height of a text's hit box
  std::array<int32_t, 256> rise;     // rows c stands above its place
  int32_t italic, underline, bold;
  // Plane rows inkTop[c] .. inkBottom[c] - 1 hold all of c's set bits, so
  // that drawing can pass over blank rows; inkBottom 0 means not known (or no
  // ink) and the whole height is drawn. Filled by GlyphTableFindInk once the
  // planes are built.
  std::array<int32_t, 256> inkTop, inkBottom;
  // TrueType codes the face has no glyph for, drawn as its missing-glyph
  // shape: for magtool check to name.
  std::bitset<256> noGlyph;
  // The planes' storage; null in a copy that shares another table's planes.
  // A TrueType table keeps both planes in solidBlock: one allocation that the
  // heap can hand to the next table without growing again.
  std::unique_ptr<uint8_t[]> solidBlock, edgeBlock;
};

// A copy of the record that uses table's planes without owning them.
inline std::unique_ptr<GlyphTable> GlyphTableShare(const GlyphTable& table) {
  auto copy = std::make_unique<GlyphTable>();
  copy->kind = table.kind;
  copy->solid = table.solid;
  copy->edge = table.edge;
  copy->stride = table.stride;
  copy->height = table.height;
  copy->advance = table.advance;
  copy->offset = table.offset;
  copy->width = table.width;
  copy->sizeX = table.sizeX;
  copy->sizeY = table.sizeY;
  copy->rise = table.rise;
  copy->italic = table.italic;
  copy->underline = table.underline;
  copy->bold = table.bold;
  copy->inkTop = table.inkTop;
  copy->inkBottom = table.inkBottom;
  copy->noGlyph = table.noGlyph;
  return copy;
}

// Finds each glyph's rows with ink in either plane.
inline void GlyphTableFindInk(GlyphTable& table) {
  for (int c = 0; c < 256; ++c) {
    const int32_t bytes = (table.width[c] + 7) / 8;
    table.inkTop[c] = table.inkBottom[c] = 0;
    for (int32_t r = 0; r < table.height && bytes > 0; ++r) {
      const size_t at = static_cast<size_t>(r) * table.stride + table.offset[c];
      bool ink = false;
      for (int32_t b = 0; b < bytes && !ink; ++b) {
        ink = table.solid[at + b] != 0 || (table.edge != nullptr && table.edge[at + b] != 0);
      }
      if (!ink) continue;
      if (table.inkBottom[c] == 0) table.inkTop[c] = r;
      table.inkBottom[c] = r + 1;
    }
  }
}
