// A screen written as an 8-bit RGB PNG, in the colours a screen of the given
// depth shows; a picture drawn keyed written with its key transparent.
#pragma once

#include <cstdint>

#include "pictures/picture.h"
#include "resources/file_ptr.h"

// Into file, closed when done (null: nothing is written); bpp is 15, 16 or
// 32; false when the file is not written whole.
bool WriteRgbPng(FilePtr file, const Picture& screen, int32_t bpp);

// RGBA: the key colour 0 (black) gets alpha 0, every other pixel is opaque.
bool WriteKeyedPng(FilePtr file, const Picture& picture);
