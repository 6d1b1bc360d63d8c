// The search box of generated issues, DATA_DIR/panels/search.png: a 600x56
// navy plate with a gold rim, the label "Search:" and a dark field for the
// query. Black is the key colour: the corners outside the rim are black and
// nothing inside is. SEARCH_BOX_PLACEMENT, the text of configs/search.txt,
// places the box at (20, 212) and the query at pen 122, baseline 244, inside
// the field, which holds the 60 characters of a query in the 8-pixel fixed font.
#pragma once

#include <string>

#include "generators/canvas.h"

constexpr const char* SEARCH_BOX_PLACEMENT = "20 212 122 244\n";

// false when the picture cannot be written.
bool WriteSearchBox(const std::string& dataDir, TextPainter& text);
