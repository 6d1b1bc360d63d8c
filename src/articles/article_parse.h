// Reads one article file into an article: display lines, pictures, rules,
// link targets and the title.
#pragma once

#include "articles/article.h"

// Every error in the file is fatal with its message, placed at the article
// and its line (resources/reading_place.h).
void ArticleParse(Article& article, const char* path);
