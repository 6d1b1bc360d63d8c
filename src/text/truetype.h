// TrueType fonts: opened once from the fonts list with their optional ".TTT"
// companion of 18 (character, glyph index) overrides, and rendered a whole
// character set at a time into a GlyphTable through FreeType.
//
// Rendering keeps the old engine's geometry: sizes in 26.6 points at 96 x 96
// dpi, glyphs loaded scaled and hinted, a private copy of each outline sheared
// for italics and moved by (320, 240) pixels into one 640 x 480 one-byte
// raster that flows upwards (memory row 0 is the bottom row), coverage reduced
// to five levels 0..4 and written through a five-byte gray palette.
// Renderings share their buffers: only the pixels each glyph covered are
// cleared after it, and the outline copies keep their room.
// Private to text/: nothing outside it includes this header.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/glyph_table.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;
class OutlineCopy;  // text/outline_raster.h

constexpr int RASTER_WIDTH = 640;
constexpr int RASTER_HEIGHT = 480;
constexpr int TTT_OVERRIDES = 18;

// The shared glyph raster: RASTER_HEIGHT rows of RASTER_WIDTH bytes, row 0
// the bottom one.
using GlyphRaster = std::array<uint8_t, RASTER_WIDTH * RASTER_HEIGHT>;

// What renderings keep from one to the next, so that none clears the whole
// raster or allocates its outline copies anew: the raster, clear before and
// after every rendering, and the copies, one per code. Too large for a stack.
struct RenderBuffers {
  RenderBuffers();
  ~RenderBuffers();
  RenderBuffers(const RenderBuffers&) = delete;
  RenderBuffers& operator=(const RenderBuffers&) = delete;

  GlyphRaster raster{};
  std::vector<OutlineCopy> copies;
};

struct TrueTypeFont {
  std::array<std::array<int32_t, 2>, TTT_OVERRIDES> overrides;  // (code, glyph index)
  FT_LibraryRec_* engine;                                       // owned by the font manager
  std::string name;            // the fonts list line: path and lookup name, <= 511 chars
  std::string fileName;        // handed out by the archive; open while the face is
  std::vector<uint8_t> bytes;  // the font file, read once: the face reads from here
  FT_FaceRec_* face;
};

// Opens the font at path with its TTT file (path with the last character
// replaced by 't'). Every failure is fatal with its "FreeType: ..." message or
// "Error parsing *.TTT file !".
std::unique_ptr<TrueTypeFont> TrueTypeOpen(FT_LibraryRec_* engine, const char* path);

// Renders codes 0..255 into table, whose sizeX, sizeY, italic, underline and
// bold the caller has set and whose kind is GLYPHS_TRUETYPE; fills the rest.
void TrueTypeRender(TrueTypeFont& font, GlyphTable& table, RenderBuffers& buffers,
                    int32_t withEdges, const std::array<uint8_t, 5>& palette);

// Closes the face and releases the font file's name.
void TrueTypeClose(TrueTypeFont& font);
