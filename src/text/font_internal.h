// Pieces shared by the font registry, measuring and drawing (and their tests).
#pragma once

#include <array>
#include <cstdint>

#include "text/font_manager.h"

// Codes written for coverage levels 0..4: 0 background, 1 edge, 2 edge in
// plain text and solid in bold, 3 and up solid.
using GrayPalette = std::array<uint8_t, 5>;

constexpr GrayPalette DEFAULT_GRAY_PALETTE = {0, 1, 2, 3, 4};

// The palette of a ":MSK:" value: the low byte lists the levels drawn as
// edge, the middle byte those drawn solid, the high byte those solid in bold
// only; a level in several bytes takes the last of these rules.
GrayPalette MskPalette(uint32_t mask);

// The pen after character c. Measuring and drawing both step through here, so
// that a measured width and a drawn one add the same floats in the same order.
inline float PenAfter(float pen, const FontManager& manager, const GlyphTable& table, uint8_t c) {
  pen += manager.charSpacing;
  if (c == ' ') pen += manager.wordSpacing;
  return pen + static_cast<float>(table.advance[c]);
}

// The pixel a pen position falls on: pen + 0.5 rounded down, so that pens
// left of column 0 round as the others do (a cast would round them up).
inline int64_t PenPixel(float pen) {
  const double half = static_cast<double>(pen) + 0.5;
  const auto pixel = static_cast<int64_t>(half);
  return pixel > half ? pixel - 1 : pixel;
}
