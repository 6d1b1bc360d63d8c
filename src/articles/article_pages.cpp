#include <algorithm>

#include "articles/article_view.h"
#include "engine/fatal.h"

namespace {

constexpr int32_t NO_VALUE = 100000000;
constexpr size_t MAX_PAGE_STARTS = 31999;

// Marks the lines wholly on the page from start; returns the smallest
// relative bottom of the lines that overflow it, NO_VALUE when none does.
int32_t PlaceLines(Article& article, int32_t start, int32_t height) {
  int32_t overflow = NO_VALUE;
  for (ArticleLine& line : article.lines) {
    if (line.placed != 0) continue;
    const int32_t top = line.y - start;
    const int32_t bottom = line.y + line.height - start;
    if (top >= 0 && bottom <= height) line.placed = 1;
    if (bottom > height) overflow = std::min(overflow, bottom);
  }
  return overflow;
}

// The top of the highest line crossing edge, so no line is split; edge - 1
// when none crosses it.
int32_t NextStart(const Article& article, int32_t edge) {
  int32_t next = NO_VALUE;
  for (const ArticleLine& line : article.lines) {
    if (line.y < edge - 1 && line.y + line.height >= edge) next = std::min(next, line.y);
  }
  return next == NO_VALUE ? edge - 1 : next;
}

void AddPage(Article& article, int32_t start) {
  if (article.pageStarts.size() >= MAX_PAGE_STARTS) FatalError("Max lines overload !");
  article.pageStarts.push_back(start);
}

void Paginate(Article& article, int32_t height) {
  article.pageStarts.clear();
  for (ArticleLine& line : article.lines) line.placed = 0;
  int32_t start = 0;
  for (;;) {
    AddPage(article, start);
    const int32_t overflow = PlaceLines(article, start, height);
    if (overflow == NO_VALUE) return;
    const int32_t next = NextStart(article, start + overflow);
    // No progress means a line taller than the view: it would repeat this
    // start until the table overflows, so fail now with the same message.
    if (next <= start) FatalError("Max lines overload !");
    start = next;
  }
}

}  // namespace

void ArticleSetView(Article& article, Picture& picture) {
  const bool repaginate = article.view == nullptr || article.view->height != picture.height;
  article.view = &picture;
  if (repaginate) Paginate(article, picture.height);
}
