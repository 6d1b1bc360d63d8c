// A screen written as an 8-bit RGB PNG, in the colours a screen of the given
// depth shows; a picture drawn keyed written with its key transparent.
#pragma once

#include <cstdint>
#include <filesystem>

#include "resources/picture.h"

// bpp is 15, 16 or 32; false when the file cannot be written whole.
bool WriteRgbPng(const std::filesystem::path& path, const Picture& screen, int32_t bpp);

// RGBA: the key colour 0 (black) gets alpha 0, every other pixel is opaque.
bool WriteKeyedPng(const std::filesystem::path& path, const Picture& picture);
