// Frame presentation: the 32-bit back buffer converted to the screen's format
// and flipped.
#pragma once

#include <cstdint>

// The screen pixel for a 0x00RRGGBB pixel; the low bits of each channel drop.
inline uint16_t ToRgb555(uint32_t p) {
  return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
}
inline uint16_t ToRgb565(uint32_t p) {
  return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
}

// Shows BackBuffer. A screen that cannot be locked skips the frame.
void Present();
