#include "search/search_page.h"

#include <cstdio>

#include "engine/fatal.h"
#include "resources/archive.h"
#include "resources/file_ptr.h"

namespace {

constexpr const char* QUERY_COLOUR = "<#COLOR:FF00#>";

[[noreturn]] void CannotWrite(FilePtr& file, const std::string& name) {
  file.reset();
  ResourceClose(name.c_str());
  FatalError("Internal error !");
}

void WriteResults(FILE* out, const SearchIndex& index, const std::string& query) {
  int32_t found = 0;
  for (const SearchEntry& entry : index.entries) {
    const int32_t score = SearchScore(entry, query);
    if (score <= 0) continue;
    const char* path = entry.path.c_str();
    std::fprintf(out, "\nFound: <#LINK:ART:%s#>%s<#ENDL#> with score %i ", path, path, score);
    ++found;
  }
  std::fprintf(out, "\n\nFound total %i results!", found);
  std::fputs("\nThats all ...\n\n", out);
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

void WriteResultPage(const char* path, const SearchIndex& index, const std::string& query) {
  const std::string name = ResourceOpen(path);
  FilePtr out = OpenFile(name.c_str(), "wb");
  if (!out) CannotWrite(out, name);
  std::fputs("QIVSearch engine generated file ! <#HLINE#> \n", out.get());
  std::fprintf(out.get(), "You searched for: \n%s%s", QUERY_COLOUR, QueryText(query).c_str());
  std::fprintf(out.get(), "\n<#COLOR:FFFFFF#>Results of this search are below (from %i files):\n\n",
               index.fileCount);
  WriteResults(out.get(), index, query);
  // A page cut short could end inside a tag, which the reader rejects.
  if (std::ferror(out.get()) != 0 || std::fclose(out.release()) != 0) CannotWrite(out, name);
  ResourceClose(name.c_str());
}
