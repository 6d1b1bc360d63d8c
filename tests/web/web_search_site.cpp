// The search files of an issue (an archive or a folder) written into a site
// folder, with the reader's own hits for each query printed one a line,
// "QUERY_NUMBER<TAB>SCORE<TAB>PATH<TAB>PAGE", for the site tests to compare.
// usage: web_search_site ISSUE SITE [QUERY...], queries in UTF-8.
#include <cstdio>
#include <filesystem>
#include <string>

#include "base/text_encoding.h"
#include "magtool/render_session.h"
#include "magtool/web/web_search.h"
#include "search/search_index.h"
#include "search/search_page.h"

namespace {

std::string PageOf(const std::string& path) {
  return std::filesystem::path(path).stem().string() + ".html";
}

void PrintHits(const SearchIndex& index, int number, const char* utf8) {
  const std::optional<Windows1252Text> text = Windows1252FromUtf8(utf8);
  const std::string query = text ? text->text : utf8;
  for (const SearchEntry& entry : index.entries) {
    if (const int32_t score = SearchScore(entry, query); score > 0) {
      std::printf("%d\t%d\t%s\t%s\n", number, score, Utf8FromWindows1252(entry.path).c_str(),
                  PageOf(entry.path).c_str());
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: web_search_site ISSUE SITE [QUERY...]\n");
    return 2;
  }
  return WithRenderedIssue(argv[1], "web_search", [&](RenderResources&) {
    SiteFolder site;
    std::optional<std::string> problem;
    if (!OpenSiteFolder(argv[2], site)) problem = std::string("cannot make ") + argv[2];
    if (!problem) problem = WriteWebSearch(site, PageOf);
    if (problem) {
      std::fprintf(stderr, "%s\n", problem->c_str());
      return 1;
    }
    const SearchIndex index = LoadSearchIndex();
    for (int i = 3; i < argc; ++i) PrintHits(index, i - 3, argv[i]);
    return 0;
  });
}
