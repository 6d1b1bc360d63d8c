#include "magtool/check_search.h"

#include "magtool/check_lines.h"
#include "resources/image_loader.h"
#include "search/search.h"
#include "search/search_index.h"

namespace {

constexpr const char* BOX_PATH = "DATA/panels/search.png";
constexpr const char* PLACEMENT_PATH = "DATA/configs/search.txt";

// A fault of the list as a whole, or of no article in particular.
ListedArticle WholeList() { return {"", {SEARCH_LIST_PATH}}; }

// The index stops at the first article it cannot open: that one.
ListedArticle Unlistable(const std::vector<ListedArticle>& listed) {
  for (const ListedArticle& article : listed) {
    if (!SearchLinkable(article.path) || !MemberExists(article.path)) return article;
  }
  return WholeList();
}

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
  if (indexError) {
    const bool unlistable = indexError->message == UNLISTABLE_ARTICLE;
    const ListedArticle article = unlistable ? Unlistable(listed) : WholeList();
    report.Add(article.site, *indexError, article.path);
  }
  // What is left to fail is the placement.
  if (box && !indexError) Attempt(report, {PLACEMENT_PATH}, SearchInit);
  SearchFree();
  return listed;
}
