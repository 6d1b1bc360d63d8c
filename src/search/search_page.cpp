#include "search/search_page.h"

#include "resources/archive.h"
#include "resources/resource_file.h"
#include "resources/whole_file.h"

namespace {

constexpr const char* QUERY_COLOUR = "<#COLOR:FF00#>";

std::string Results(const SearchIndex& index, const std::string& query) {
  std::string text;
  int32_t found = 0;
  for (const SearchEntry& entry : index.entries) {
    const int32_t score = SearchScore(entry, query);
    if (score <= 0) continue;
    const std::string& path = entry.path;
    text += "\nFound: <#LINK:ART:" + path + "#>" + path + "<#ENDL#> with score " +
            std::to_string(score) + " ";
    ++found;
  }
  return text + "\n\nFound total " + std::to_string(found) + " results!\nThats all ...\n\n";
}

std::string Page(const SearchIndex& index, const std::string& query) {
  return "QIVSearch engine generated file ! <#HLINE#> \nYou searched for: \n" +
         std::string(QUERY_COLOUR) + QueryText(query) +
         "\n<#COLOR:FFFFFF#>Results of this search are below (from " +
         std::to_string(index.fileCount) + " files):\n\n" + Results(index, query);
}

}  // namespace

std::string QueryText(const std::string& query) {
  std::string text;
  for (size_t i = 0; i < query.size(); ++i) {
    text.push_back(query[i]);
    if (query[i] == '<' && i + 1 < query.size() && query[i + 1] == '#') text += QUERY_COLOUR;
  }
  return text;
}

bool WriteResultPage(const char* path, const SearchIndex& index, const std::string& query) {
  const ResourceFile page(path);
  const std::string written = SaveWholeFileOrPrivate(page.name(), Page(index, query));
  return written == page.name() || (!written.empty() && ResourceRedirect(path, written));
}
