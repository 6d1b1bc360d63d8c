// The site's fixed files, the same for every issue. They are kept as files of
// their own beside this header and built into magtool (cmake/EmbedText.cmake),
// which stays one self-contained program; the issue's own rules (faces,
// panels) go to issue.css beside them.
#pragma once

#include <string_view>

extern const std::string_view SITE_STYLE;     // site.css
extern const std::string_view SITE_SCRIPT;    // site.js
extern const std::string_view PLAYER_STYLE;   // player.css
extern const std::string_view PLAYER_SCRIPT;  // player.js
// search.js: the reader's scoring over SEARCH_INDEX, run on the page's query
// ("search.html?q=WORD") at load. SearchHits(index, query) gives the hits,
// {entry, score}, in the reader's order.
extern const std::string_view SEARCH_SCRIPT;
