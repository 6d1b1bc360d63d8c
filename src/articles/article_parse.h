// Reads one article file into an article: display lines, pictures, rules,
// link targets and the title.
#pragma once

#include <cstdint>

#include "articles/article.h"

// Every error in the file is fatal with its message.
void ArticleParse(Article& article, const char* path);

// The 1-based source line ArticleParse is reading, so that a fatal error can
// be placed; 0 before the first line and once the lines are done.
int32_t ArticleParseLine();
