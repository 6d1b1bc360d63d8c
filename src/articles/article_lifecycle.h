// An article's life: loaded whole (parsed, targets resolved, title prepared,
// hotspots built, history applied), closed (visited targets appended to
// "history.tmp" in the reader's folder, everything freed), and saved as text
// without its markup.
#pragma once

#include "articles/article.h"

constexpr const char* HISTORY_FILE = "history.tmp";

// keptFaults: see Article::keptFaults.
void ArticleLoad(Article& article, const char* path, ArticleFonts fonts,
                 std::vector<std::exception_ptr>* keptFaults = nullptr);
void ArticleClose(Article& article);

// Writes the article's text without tags, whole, to the first free
// "DATA/saved/fil_N.txt" (fil_N.txt in the reader's folder) from nextNumber
// on, which it moves past the numbers it tried, or to the private folder when
// the folder cannot take it (reported on stdout); nothing happens when the
// article cannot be read.
void ArticleSaveAsText(const Article& article, int32_t& nextNumber);

// Numbering starts again at 0, as in a new run.
