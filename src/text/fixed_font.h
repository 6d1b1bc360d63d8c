// The fixed font: 256 monochrome glyphs of 8 x 16 pixels from a 4096-byte
// ".FNT" file, kept for the whole run. Every character is 8 pixels wide and
// advances 8; a glyph at pen x and baseline y covers columns x..x+7 and rows
// y-12..y+3. Texts are NUL-terminated byte strings.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "pictures/picture.h"

// 16 row bytes per glyph, glyph c at byte 16 * c; bit k of a row byte is
// pixel column k (bit 0 leftmost: the file's bytes are stored bit-reversed).
struct FixedFont {
  std::array<uint8_t, 4096> rows;
};

struct TextSize {
  int32_t width, height;
};

// Reads the first 4096 bytes of the font at path (an archive path). Fatal:
// "Cannot open *.FNT file !" when missing, "Internal error !" when shorter.
std::unique_ptr<FixedFont> FixedFontLoad(const char* path);

// (8 * length, 16); (0, 0) for a null or empty text.
TextSize FixedMeasure(const char* text);

// The smallest n >= 1 with 8 * n >= limit, at most the text's length; -1 for
// a null or empty text.
int32_t FixedFit(const char* text, int32_t limit);

// Draws at pen x, baseline y, clipped to picture; spaces only advance.
// Returns 8 * length.
int32_t FixedDraw(const FixedFont& font, const char* text, int32_t x, int32_t y, uint32_t colour,
                  Picture& picture);

// 1 when (px, py) lies in x..x+8*length, y-12..y; 0 otherwise or for no text.
int32_t FixedHit(int32_t px, int32_t py, const char* text, int32_t x, int32_t y);
