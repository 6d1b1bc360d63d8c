// The search index: what each listed article says of itself in its TITLE,
// AUTHOR and KEYWORDS tags.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr const char* SEARCH_LIST_PATH = "DATA/configs/search.lst";

struct SearchEntry {
  std::string path;
  std::optional<std::string> title;  // colour escapes removed
  std::optional<std::string> author;
  std::optional<std::string> keywords;
};

struct SearchIndex {
  std::vector<SearchEntry> entries;  // newest first: the list's last line leads
  int32_t fileCount = 0;             // list lines read
};

// Reads the list and indexes every article on it. Fatal: "Cannot open search
// list !", "Cannot open artFile !", "Broken !" (a tag value without <#END#>).
SearchIndex LoadSearchIndex();

// A path holding "<#" or "#>" could not be written as a link of the result
// page, so the index refuses it.
bool SearchLinkable(const std::string& path);

// "\\" gives "\"; any other backslash is dropped with the text up to and
// including the next space.
std::string StripColourEscapes(const std::string& text);
