// Which parts of a frame changed since the one last shown, so that a present
// converts and updates only those. The last frame is kept as a plain copy;
// rows are compared whole first, so an unchanged frame costs one pass.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "pictures/picture.h"

// Compares frame with last (pixel for pixel, row-major, frame's size) and
// brings last up to date. Each run of changed rows (runs fewer than
// CHANGE_MERGE_ROWS apart joined) gives one rectangle spanning the columns
// that changed in it; none when nothing changed. A last of another size
// counts as wholly changed: one rectangle over the frame.
std::vector<SDL_Rect> FindChangedRects(const Picture& frame, std::vector<uint32_t>& last);

constexpr int CHANGE_MERGE_ROWS = 16;

// The smallest rectangle holding a and b; an empty one (w or h 0) adds nothing.
SDL_Rect RectUnion(const SDL_Rect& a, const SDL_Rect& b);
