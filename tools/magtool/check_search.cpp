#include "magtool/check_search.h"

#include "magtool/check_lines.h"
#include "pictures/image_loader.h"
#include "search/search.h"
#include "search/search_index.h"

namespace {

constexpr const char* BOX_PATH = "DATA/panels/search.png";
constexpr const char* PLACEMENT_PATH = "DATA/configs/search.txt";

}  // namespace

std::vector<ListedArticle> ListedArticles() {
  std::vector<ListedArticle> listed;
  for (const MemberLine& line : SourceLines(SEARCH_LIST_PATH)) {
    listed.push_back({ListEntry(line.text), {SEARCH_LIST_PATH, line.line}});
  }
  return listed;
}

std::vector<ListedArticle> CheckSearch(CheckReport& report) {
  const std::vector<ListedArticle> listed = ListedArticles();
  const bool box = Attempt(report, {BOX_PATH}, [] {
    Picture picture{};
    ImageLoader(BOX_PATH, picture);
  });
  if (box) ++report.pictures;
  const auto indexError = RunStep([] { LoadSearchIndex(); });
  // At the list's line of an article it cannot open, at an article's own line
  // when reading it fails.
  if (indexError) {
    const std::vector<FatalPlace>& places = indexError->places;
    const CheckSite site = places.empty() ? CheckSite{SEARCH_LIST_PATH}
                                          : CheckSite{places.back().member, places.back().line};
    report.Add(site, *indexError);
  }
  // What is left to fail is the placement.
  if (box && !indexError) Attempt(report, {PLACEMENT_PATH}, [] { SearchInit(); });
  return listed;
}
