// Drawing primitives on pictures. All of them clip against the destination
// and never touch a pixel outside it.
//
// Blending uses two 256-entry tables per call, A[v] = trunc(alpha * v) and
// B[v] = trunc((1 - alpha) * v), and blends each channel as A[top] + B[bottom]
// with bits 24-31 of the result zero.
#pragma once

#include <cstdint>

#include "pictures/picture.h"

enum DrawModes { DRAW_OPAQUE = 1, DRAW_KEYED = 2, DRAW_ALPHA = 3 };

// Draws source with its top-left pixel at (x, y) of destination, which must be
// another picture (rows are drawn top to bottom). Mode 1
// copies, mode 2 skips source pixels equal to 0, mode 3 blends with alpha
// (alpha <= 0 draws nothing, alpha >= 1 copies); any other mode draws nothing.
void Blit(const Picture& source, int32_t x, int32_t y, Picture& destination, int mode, float alpha);

// Fills width x height at (x, y) with colour: mode 1 opaque, mode 3 blended
// with alpha as Blit; any other mode draws nothing.
void FillRect(uint32_t colour, int32_t x, int32_t y, int32_t width, int32_t height,
              Picture& destination, int mode, float alpha);

// A one-pixel Bresenham line from (x0, y0) to (x1, y1), both ends included.
// Note the argument order: both x first, then both y.
void DrawLine(int32_t x0, int32_t x1, int32_t y0, int32_t y1, uint32_t colour,
              Picture& destination);

// How FastCopy moves its bytes: plainly, in 8-byte chunks, or in SSE2 blocks
// (streaming for large ones). The result never depends on which.
enum CopyMode { COPY_PLAIN, COPY_CHUNKS, COPY_SSE2 };

// Chosen once by the engine from the settings; COPY_PLAIN until then.
// Returns the previous mode. The mode is the process's, not a record's: every
// blit on every floor copies with it, and handing it down through each
// drawing call would only repeat one setting everywhere.
CopyMode SetCopyMode(CopyMode mode);

// Copies bytes from source to destination (source first) in the chosen mode;
// nothing for a count of 0 or less.
void FastCopy(const void* source, void* destination, int32_t bytes);
