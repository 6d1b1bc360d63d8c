// The search page's fixed files, kept in the program so that magtool stays
// one self-contained file.
#pragma once

#include <string_view>

// search.html's own part, within the site's frame: the form, the summary
// and the results' list that search.js fills.
std::string_view WebSearchPage();

// search.js: the reader's scoring over SEARCH_INDEX, run on the page's query
// ("search.html?q=WORD") at load. SearchHits(index, query) gives the hits,
// {entry, score}, in the reader's order.
std::string_view WebSearchScript();
