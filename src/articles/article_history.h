// The reading history: link targets followed in earlier article visits, one
// per line of a plain text file.
// Private to articles/: nothing outside it includes this header.
#pragma once

#include <deque>

#include "articles/article.h"

// The longest history line taken into account; longer lines match nothing.
constexpr size_t HISTORY_LINE_MAX = 4095;

// Marks as visited and from the history the first target equal to each line.
// A file that cannot be read changes nothing.
void HistoryApply(std::deque<LinkEntry>& targets, const char* fileName);

// Adds each target visited in this visit but not known from the history at
// the file's end, rewriting it whole (resources/whole_file.h). A file that
// cannot be read or written keeps its old contents.
void HistoryAppendVisited(const std::deque<LinkEntry>& targets, const char* fileName);
