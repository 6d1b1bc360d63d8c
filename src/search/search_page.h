// Scoring the index against a query and writing the result article.
// Private to search/: nothing outside it includes this header.
#pragma once

#include <cstdint>
#include <string>

#include "search/search_index.h"

// "t:", "k:" or "a:" before the query look in the title, keywords or author
// only (0 or 1); a plain query scores one for each of the three it occurs in.
int32_t SearchScore(const SearchEntry& entry, const std::string& query);

// The query as the page's text: every "<#" (the only sequence that opens a
// tag in plain text) has a no-op colour tag put between its two characters,
// so the page shows it as typed and never holds markup the user wrote.
std::string QueryText(const std::string& query);

// Writes the result article for query, whole, into the file at path (an
// archive path), or, when its folder cannot take it, into the private
// folder with path redirected there. False when no place took it (reported
// on stdout).
bool WriteResultPage(const char* path, const SearchIndex& index, const std::string& query);
