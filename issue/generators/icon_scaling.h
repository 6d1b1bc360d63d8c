// Scales the square window icon to the sizes a desktop's icon theme
// wants, keeping its pixels sharp: larger sizes repeat each pixel (nearest
// neighbour), smaller ones average the exact area each new pixel covers.
#pragma once

#include <cstdint>
#include <vector>

// pixels: from x from pixels of 0x00RRGGBB, row by row from the top; returns
// to x to pixels in the same layout.
std::vector<uint32_t> ScaleIcon(const std::vector<uint32_t>& pixels, int from, int to);
