// The covers of generated issues, under DATA_DIR/panels: the opening cover
// (CoverBeg.png), the closing cover (CoverEnd.png) and the credits that scroll
// over the closing cover's right part (EndScroll.png, its words in
// EndScroll.txt for the web edition). A title too wide for its place is set
// smaller.
#pragma once

#include <string>
#include <vector>

#include "generators/canvas.h"

struct CreditSection {
  std::u32string heading;
  std::vector<std::u32string> lines;
};

struct CoverWords {
  std::u32string title;    // the magazine's name, on both covers and atop the credits
  std::u32string issue;    // under it: which issue
  std::u32string tagline;  // on the opening cover
  std::vector<CreditSection> credits;
};

// false when a cover cannot be written.
bool WriteCovers(const std::string& dataDir, TextPainter& text, const CoverWords& words);
