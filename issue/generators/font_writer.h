// Fonts for generated issues: the fixed 8x16 font "fonts/fixed.fnt" for all
// 256 Latin-1 codes, rendered from a monospaced TrueType face; the BMF
// headline font "fonts/headline.bmf" with its charset and glyph picture
// (white ink, red half-tone edges); TrueType faces copied from Debian's font
// packages, each with a ".ttt" of 18 overrides mapping Windows typography
// codes to their glyphs; and the font list "configs/fonts.txt".
#pragma once

#include <string>
#include <vector>

struct FaceCopy {
  std::string name;    // under DATA/fonts
  std::string source;  // the TrueType file
};

// Writes them all under dataDir; false when one cannot be made.
bool WriteFonts(const std::string& dataDir, const std::string& fixedSource,
                const std::string& headlineSource, const std::vector<FaceCopy>& faces);
