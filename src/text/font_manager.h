// The font registry and the per-article font caches: TrueType fonts listed in
// "DATA/configs/fonts.txt", tables opened by name, size and style (BMF
// scripts by a name ending in ".BMF"; TrueType ones rendered once for the
// manager's life), cached per article with a fallback to
// "DATA/fonts/arial.ttf"; measuring, fitting, hit-testing and drawing text set
// in a GlyphTable.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/picture.h"
#include "text/fixed_font.h"
#include "text/glyph_table.h"
#include "text/truetype.h"

constexpr const char* FALLBACK_FONT = "DATA/fonts/arial.ttf";

// A TrueType table rendered once and kept: FontOpen hands out copies sharing
// its planes, so that an article opened again renders none of its faces.
struct RenderedTable {
  const TrueTypeFont* font;
  std::array<uint8_t, 5> palette;  // the ":MSK:" levels it was rendered with
  std::unique_ptr<GlyphTable> table;
};

// Plane bytes the kept tables may hold; later tables are rendered each time.
constexpr size_t RENDERED_BYTES_MAX = size_t{16} << 20;

// Every table FontOpen hands out must be freed before the manager is.
struct FontManager {
  FT_LibraryRec_* engine;
  std::unique_ptr<RenderBuffers> buffers;            // made at the first rendering: 300 KB
  std::vector<std::unique_ptr<TrueTypeFont>> fonts;  // fonts.txt order
  float charSpacing;                                 // extra pixels after every character
  float wordSpacing;                                 // extra pixels after every space, on top
  std::vector<RenderedTable> rendered;
  size_t renderedBytes;
};

struct FontCacheEntry {
  std::string name;  // as requested, or FALLBACK_FONT
  std::unique_ptr<GlyphTable> table;
  int32_t sharesPlanes;  // the table uses another entry's planes
};

// One article's opened tables, newest first.
using FontCache = std::vector<std::unique_ptr<FontCacheEntry>>;

std::unique_ptr<FontManager> FontManagerCreate();
void FontManagerAddFont(FontManager& manager, const char* line);
void FontManagerDestroy(std::unique_ptr<FontManager>& manager);

// A new table, or null when the name is neither a BMF script that opens nor a
// registered font. ":MSK:" and a hexadecimal number after a registered name
// select the gray palette; a bad number is fatal ("Bad vals !").
std::unique_ptr<GlyphTable> FontOpen(FontManager& manager, const char* name, int32_t sizeX,
                                     int32_t sizeY, int32_t bold, int32_t italic,
                                     int32_t underline);
void FontFree(std::unique_ptr<GlyphTable>& table);

// Whether FontOpen finds name among the listed TrueType fonts (":MSK:" and
// its number aside; a bad number is fatal as there).
bool FontIsRegistered(FontManager& manager, const char* name);

// Never null: the cached table, an underline copy sharing its planes, a newly
// opened one, or the fallback ("\n Glyph cannot be preloaded !" when even
// that fails). A cached table that matches in underline too is preferred to a
// new copy, and a missing face asked for again reuses the cached fallback.
// The table lives as long as the cache.
GlyphTable* FontCacheGet(FontManager& manager, FontCache& cache, const char* name, int32_t sizeX,
                         int32_t sizeY, int32_t bold, int32_t italic, int32_t underline);
void FontCacheFree(FontCache& cache);

// With the manager's spacings: (0, 0), -1 and 0 for a null or empty text or
// a null table.
TextSize FontMeasure(const FontManager& manager, const char* text, const GlyphTable* table);
int32_t FontFit(const FontManager& manager, const char* text, const GlyphTable* table,
                int32_t limit);
int32_t FontHit(const FontManager& manager, int32_t px, int32_t py, const char* text, int32_t x,
                int32_t y, const GlyphTable* table);

// Draws text with its first pen position x and baseline y into picture, edge
// pixels as half-tones when antialias is set; returns the width drawn.
int32_t FontDraw(const FontManager& manager, const char* text, int32_t x, int32_t y,
                 uint32_t colour, const GlyphTable* table, Picture& picture, int32_t antialias);
