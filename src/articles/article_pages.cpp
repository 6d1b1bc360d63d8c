#include <algorithm>
#include <vector>

#include "articles/article_view.h"
#include "base/fatal.h"

namespace {

constexpr size_t MAX_PAGE_STARTS = 31999;

// Bottoms (y + height, in 64 bits: a line may end past INT32_MAX) in rising
// order, each with the smallest top among the lines ending there or lower.
struct Bottoms {
  std::vector<int64_t> bottom;
  std::vector<int64_t> lowestTopBelow;
};

Bottoms SortedBottoms(const Article& article) {
  std::vector<std::pair<int64_t, int64_t>> lines;  // bottom, top
  lines.reserve(article.lines.size());
  for (const ArticleLine& line : article.lines) {
    lines.emplace_back(int64_t{line.y} + line.height, line.y);
  }
  std::sort(lines.begin(), lines.end());
  Bottoms sorted;
  sorted.bottom.resize(lines.size());
  sorted.lowestTopBelow.resize(lines.size());
  int64_t lowest = INT64_MAX;
  for (size_t i = lines.size(); i-- > 0;) {
    lowest = std::min(lowest, lines[i].second);
    sorted.bottom[i] = lines[i].first;
    sorted.lowestTopBelow[i] = lowest;
  }
  return sorted;
}

void AddPage(Article& article, int64_t start) {
  if (article.pageStarts.size() >= MAX_PAGE_STARTS) FatalError("Max lines overload !");
  article.pageStarts.push_back(static_cast<int32_t>(start));
}

// A page ends above the first line that overflows it. Only lines ending below
// the page overflow it, and a line placed on a page ends above every later
// one, so the bottoms are walked once. The next page starts at the top of the
// highest line crossing that edge (none is split), else just above the edge.
void Paginate(Article& article, int64_t height) {
  article.pageStarts.clear();
  const Bottoms sorted = SortedBottoms(article);
  const size_t count = sorted.bottom.size();
  size_t overflowing = 0;
  int64_t start = 0;
  for (;;) {
    AddPage(article, start);
    while (overflowing < count && sorted.bottom[overflowing] <= start + height) ++overflowing;
    if (overflowing == count) return;
    const int64_t edge = sorted.bottom[overflowing];
    const int64_t top = sorted.lowestTopBelow[overflowing];
    const int64_t next = std::min(top < edge - 1 ? top : edge - 1, int64_t{INT32_MAX});
    // No progress means a line taller than the view: it would repeat this
    // start until the table overflows, so fail now with the same message.
    if (next <= start) FatalError("Max lines overload !");
    start = next;
  }
}

// A line is placed when it lies wholly on a page: on the last one starting
// at or above it, if on any.
void MarkPlaced(Article& article, int64_t height) {
  const std::vector<int32_t>& starts = article.pageStarts;
  for (ArticleLine& line : article.lines) {
    const auto after = std::upper_bound(starts.begin(), starts.end(), line.y);
    line.placed = after != starts.begin() && int64_t{line.y} + line.height <= *(after - 1) + height;
  }
}

}  // namespace

void ArticleSetView(Article& article, Picture& picture) {
  const bool repaginate = article.view == nullptr || article.view->height != picture.height;
  article.view = &picture;
  if (!repaginate) return;
  Paginate(article, picture.height);
  MarkPlaced(article, picture.height);
}
