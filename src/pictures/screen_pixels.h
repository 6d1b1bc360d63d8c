// Screen pixels: how a frame of 0x00RRGGBB pixels becomes the pixels of an
// SDL surface in one of the screen formats the engine takes, and how the
// soft cursor is drawn on such a surface.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "pictures/picture.h"

// How the 32-bit back buffer becomes screen pixels.
// PIXEL_ABGR8888 is the browser's canvas: red in the lowest byte.
enum PixelModes { PIXEL_ARGB8888 = 0, PIXEL_RGB555 = 1, PIXEL_RGB565 = 2, PIXEL_ABGR8888 = 3 };

struct PixelFormatCheck {
  int32_t pixelMode;
  const char* error;  // the fatal message, or null when the format is usable
};

// Judges the depth and channel masks that the screen reports; 565 is tried
// before 555.
PixelFormatCheck CheckPixelFormat(int bitsPerPixel, uint32_t rMask, uint32_t gMask, uint32_t bMask);

// The screen pixel for a 0x00RRGGBB pixel; the low bits of each channel drop.
inline uint16_t ToRgb555(uint32_t p) {
  return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
}
inline uint16_t ToRgb565(uint32_t p) {
  return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
}

// One row of columns pixels into dst in pixelMode.
void ConvertRow(const uint32_t* src, uint8_t* dst, int columns, int32_t pixelMode);

// Writes min(sizes) of frame into the locked surface in pixelMode: 0 copies
// 32-bit rows, 1 converts to RGB555, 2 to RGB565, 3 swaps red and blue.
void ConvertFrame(const Picture& frame, SDL_Surface* surface, int32_t pixelMode);

// The same for one rectangle, which lies within both.
void ConvertArea(const Picture& frame, SDL_Surface* surface, const SDL_Rect& area,
                 int32_t pixelMode);

// Draws cursor at (x, y) into the locked surface, clipped, skipping pixels of
// value 0, converted for pixelMode.
void DrawCursorPicture(const Picture& cursor, int32_t x, int32_t y, SDL_Surface* surface,
                       int32_t pixelMode);
