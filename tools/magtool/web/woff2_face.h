// A TrueType or OpenType face for the web: WOFF2 (Brotli-compressed,
// its tables transformed), whole or cut down to some characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The face as WOFF2; cut down to the glyphs that characters need (kerning,
// ligatures and hinting kept) when characters is given. Empty when the font
// cannot be read or encoded.
std::string Woff2Face(std::string_view font, const std::vector<char32_t>* characters);
