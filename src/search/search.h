// The search box: opened by the search key, it draws over the screen and
// reads the keyboard itself; on Enter it scores the articles of
// "DATA/configs/search.lst" against the query, writes a result article
// "DATA/search/search_N.art" and hands back its path.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pictures/picture.h"
#include "search/search_index.h"
#include "search/search_keys.h"
#include "text/fixed_font.h"

struct SearchPlacement {
  int32_t boxX, boxY, textX, textY;
};

// The box and what it searches, kept by the reader from a load of the issue
// to the next.
struct SearchBox {
  Picture box{};
  SearchPlacement place{};
  SearchIndex index;
  int32_t resultCounter = 0;  // the next "search_N.art"
  int32_t active = 0;         // the box is open
  std::string query;
};

// Loads the box picture, its placement ("DATA/configs/search.txt") and the
// index of the listed articles; every failure is fatal.
std::unique_ptr<SearchBox> SearchInit();

// One frame of the open box (none without search: openFlag becomes 0), the
// query drawn with font (not at all when it is null): presses are the keys
// pressed since the last frame, in order (the frame that opens the box
// ignores them). When a search has run, openFlag becomes 0 and resultPath
// holds the result article's path, empty when the page could not be written
// anywhere. While openFlag stays 1 the box takes
// the keyboard's text.
void SearchFrame(SearchBox* search, std::string& resultPath, int32_t& openFlag,
                 const std::vector<KeyPress>& presses, Picture& picture, const FixedFont* font);

// 1 when query occurs in text, ASCII letters compared without case; 0 when it
// does not or either is null or empty.
int32_t ContainsNoCase(const char* text, const char* query);
