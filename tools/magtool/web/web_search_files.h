// The search page's fixed part, kept in the program so that magtool stays
// one self-contained file; its script is search.js (site_assets.h).
#pragma once

#include <string_view>

// search.html's own part, within the site's frame: the form, the summary
// and the results' list that search.js fills.
std::string_view WebSearchPage();
