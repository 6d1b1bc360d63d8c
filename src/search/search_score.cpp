#include <cctype>
#include <cstring>

#include "search/search.h"
#include "search/search_page.h"

namespace {

int32_t Contains(const std::optional<std::string>& text, const char* query) {
  return text ? ContainsNoCase(text->c_str(), query) : 0;
}

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

int32_t ContainsNoCase(const char* text, const char* query) {
  if (text == nullptr || query == nullptr || query[0] == '\0') return 0;
  const size_t textLength = std::strlen(text), queryLength = std::strlen(query);
  for (size_t at = 0; at + queryLength <= textLength; ++at) {
    size_t i = 0;
    while (i < queryLength && SameLetter(text[at + i], query[i])) ++i;
    if (i == queryLength) return 1;
  }
  return 0;
}

int32_t SearchScore(const SearchEntry& entry, const std::string& query) {
  const char* rest = query.c_str() + (query.size() >= 2 ? 2 : 0);
  if (query.rfind("t:", 0) == 0) return Contains(entry.title, rest);
  if (query.rfind("k:", 0) == 0) return Contains(entry.keywords, rest);
  if (query.rfind("a:", 0) == 0) return Contains(entry.author, rest);
  const char* q = query.c_str();
  return Contains(entry.title, q) + Contains(entry.author, q) + Contains(entry.keywords, q);
}
