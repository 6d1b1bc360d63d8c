// The FreeType 2 steps under the TrueType renderer: character sizes at 96 x 96
// dpi, glyphs loaded scaled and hinted as outlines, private outline copies
// that are sheared, moved and measured in 26.6 units, and the rendering of a
// copy into the upward glyph raster at five coverage levels.
// Private to text/: nothing outside it includes this header.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "text/truetype.h"

// Sizes in whole points; one point is 96 / 72 pixels.
FT_Error SetCharSizes(FT_Face face, int32_t sizeX, int32_t sizeY);

// Loads glyph index into the face's slot, scaled and hinted, never as a bitmap.
FT_Error LoadScaledGlyph(FT_Face face, FT_UInt index);

// The slot's outline, or null when the loaded glyph is not one.
FT_Outline* SlotOutline(FT_Face face);

// A private copy of an outline in arrays of its own. Copying over it again
// keeps their room, so that a copy kept from one rendering to the next
// allocates only for an outline larger than any it held before.
class OutlineCopy {
 public:
  OutlineCopy() = default;
  OutlineCopy(const OutlineCopy&) = delete;  // the outline points into the arrays
  OutlineCopy& operator=(const OutlineCopy&) = delete;

  // Throws std::bad_alloc when there is no room for source.
  void CopyFrom(const FT_Outline& source);

  FT_Outline& outline() { return outline_; }

 private:
  std::vector<FT_Vector> points_;
  std::vector<std::remove_pointer_t<decltype(FT_Outline::tags)>> tags_;
  std::vector<std::remove_pointer_t<decltype(FT_Outline::contours)>> contours_;
  FT_Outline outline_{};
};

// Moves every point right by 8 pixels for each sizeY pixels it stands above
// the lowest point: trunc((y - ymin) / 64 / sizeY * 8 * 64) in 26.6 units.
void ShearForItalic(FT_Outline& outline, int32_t sizeY);

// The box of all the outline's points, control points included (26.6).
FT_BBox OutlineBox(const FT_Outline& outline);

// The byte written for each coverage 0..255: the palette's entry for the
// level round(coverage * 4 / 255), and 0 for level 0 whatever the palette says:
// a pixel FreeType barely touches stays background like an untouched one.
using CoverageBytes = std::array<uint8_t, 256>;
CoverageBytes CoverageBytesFor(const std::array<uint8_t, 5>& palette);

// Renders outline (26.6, y upwards) into raster, row y of the outline being
// memory row y, each pixel its coverage's byte. Pixels outside the raster are
// dropped. The raster under the outline must be clear.
FT_Error RenderOutline(FT_Library library, FT_Outline& outline, GlyphRaster& raster,
                       const CoverageBytes& bytes);
