// BMF fonts: a five-line script naming a glyph picture whose cells sit side
// by side and a charset file saying which character each cell holds. White
// pixels are solid, pure red ones half-tone edges.
// Private to text/: nothing outside it includes this header.
#pragma once

#include <cstdint>
#include <memory>

#include "text/glyph_table.h"

// The table of the font whose script is at path, or null when the script
// cannot be opened. Size and style are stored as given; they do not change a
// BMF font's glyphs. Fatal: "Bitmap font script error !", "Cannot open
// charset file !", "Internal error !" (empty charset), "BitmapFont image is
// too small for current data !".
std::unique_ptr<GlyphTable> BmfLoad(const char* path, int32_t sizeX, int32_t sizeY, int32_t bold,
                                    int32_t italic, int32_t underline);
