// The window's icon, from the bytes of a BMP file. A browser's page has its
// own icon, so there the call does nothing.
#pragma once

#include <cstdint>
#include <vector>

// Sets the icon; a picture SDL cannot read is passed over without a word.
void SetWindowIconFromBmp(const std::vector<uint8_t>& bytes);
