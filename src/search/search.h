// The search box: opened by the search key, it draws over the screen and
// reads the keyboard itself; on confirmation it writes a result article and
// hands back its path.
#pragma once

#include <cstdint>
#include <string>

#include "resources/picture.h"

void SearchInit();

// One frame of the open box. When a search has run, openFlag becomes 0 and
// resultPath holds the result article's path.
void SearchFrame(std::string& resultPath, int32_t& openFlag, Picture& picture);

void SearchFree();
