#include <algorithm>

#include "articles/article_view.h"

namespace {

constexpr int64_t NONE = INT64_MAX;  // no line found, however far down the article reaches
constexpr int32_t NO_COLUMN = -100000000;

int32_t PageCount(const Article& article) {
  return static_cast<int32_t>(article.pageStarts.size());
}

int32_t Start(const Article& article, int32_t page) {
  return article.pageStarts[static_cast<size_t>(page)];
}

// The number of page starts at or above the scroll position.
int32_t PagesAtOrAbove(const Article& article) {
  return static_cast<int32_t>(std::count_if(article.pageStarts.begin(), article.pageStarts.end(),
                                            [&](int32_t s) { return s <= article.scrollY; }));
}

void ShowSpread(Article& article, int32_t page) {
  article.scrollY = Start(article, page);
  article.rightScrollY = -Start(article, page + 1);
}

void ShowOnlyPage(Article& article) {
  article.scrollY = Start(article, 0);
  article.rightScrollY = NO_COLUMN;
}

// A line's bottom, which may lie past INT32_MAX.
int64_t Bottom(const ArticleLine& line) { return int64_t{line.y} + line.height; }

// The height of the first line below the scroll position: the tallest of
// the lines ending highest.
int32_t FirstVisibleHeight(const Article& article) {
  int64_t bottom = NONE;
  for (const ArticleLine& line : article.lines) {
    if (line.y >= article.scrollY) bottom = std::min(bottom, Bottom(line));
  }
  int32_t height = 0;
  for (const ArticleLine& line : article.lines) {
    if (line.y >= article.scrollY && Bottom(line) == bottom) {
      height = std::max(height, line.height);
    }
  }
  return height;
}

// The top of the highest line crossing y, or y when none does, at most
// INT32_MAX.
int32_t TopOfLineAcross(const Article& article, int64_t y) {
  int64_t top = NONE;
  for (const ArticleLine& line : article.lines) {
    if (line.y < y && y < Bottom(line)) top = std::min(top, int64_t{line.y});
  }
  return static_cast<int32_t>(std::min(top == NONE ? y : top, int64_t{INT32_MAX}));
}

// Snaps to a line's top and lets the right column continue the left one.
void SnapAfterLineStep(Article& article) {
  article.scrollY = TopOfLineAcross(article, article.scrollY);
  if (article.twoColumns == 0) return;
  const int32_t height = article.view != nullptr ? article.view->height : 0;
  article.rightScrollY = -TopOfLineAcross(article, int64_t{article.scrollY} + height);
}

bool SpreadStepsAllowed(const Article& article) {
  return article.spreadSingleStep == 1 || article.spreadDoubleStep == 1;
}

}  // namespace

ArticleScroll ArticleGetScroll(const Article& article) {
  return {article.scrollY, article.rightScrollY};
}

void ArticleSetScroll(Article& article, int32_t scrollY, int32_t rightScrollY) {
  article.scrollY = scrollY;
  article.rightScrollY = rightScrollY;
  article.firstDraw = false;
}

float ArticleScrollFraction(const Article& article) {
  const int32_t pages = PageCount(article);
  if (article.totalHeight <= 1 || pages == 0) return 0.0f;
  const int32_t shown = article.twoColumns != 0 ? 2 : 1;
  const int32_t last = pages <= shown ? 1 : Start(article, pages - shown);
  if (article.scrollY >= last) return 1.0f;
  return std::clamp(static_cast<float>(article.scrollY) / static_cast<float>(last), 0.0f, 1.0f);
}

// Every move needs a page table, which exists once a view has been set.
void ArticleHome(Article& article) {
  if (PageCount(article) == 0) return;
  article.scrollY = Start(article, 0);
  if (article.twoColumns == 0) return;
  article.rightScrollY = PageCount(article) < 2 ? NO_COLUMN : -Start(article, 1);
}

void ArticleEnd(Article& article) {
  const int32_t pages = PageCount(article);
  if (pages == 0) return;
  if (article.twoColumns == 0) {
    article.scrollY = Start(article, pages - 1);
  } else if (pages == 1) {
    ShowOnlyPage(article);
  } else {
    ShowSpread(article, pages - 2);
  }
}

void ArticlePageBack(Article& article) {
  const int32_t pages = PageCount(article);
  if (pages == 0) return;
  const int32_t above = PagesAtOrAbove(article);
  if (article.twoColumns == 0) {
    if (article.pageScroll != 1) return;
    article.scrollY = pages == 1 || above < 2 ? Start(article, 0) : Start(article, above - 2);
    return;
  }
  if (!SpreadStepsAllowed(article)) return;
  if (pages == 1) {
    ShowOnlyPage(article);
  } else if (above < 2) {
    ShowSpread(article, 0);
  } else {
    ShowSpread(article, article.spreadSingleStep == 1 ? above - 2 : std::max(above - 3, 0));
  }
}

void ArticlePageForward(Article& article) {
  const int32_t pages = PageCount(article);
  if (pages == 0) return;
  const int32_t above = PagesAtOrAbove(article);
  if (article.twoColumns == 0) {
    if (article.pageScroll != 1) return;
    article.scrollY = Start(article, pages == 1 ? 0 : std::min(above, pages - 1));
    return;
  }
  if (!SpreadStepsAllowed(article)) return;
  if (pages == 1) {
    ShowOnlyPage(article);
  } else if (above + 1 < pages && article.spreadSingleStep == 1) {
    ShowSpread(article, above);
  } else if (above + 2 < pages) {
    ShowSpread(article, above + 1);
  } else {
    ShowSpread(article, pages - 2);
  }
}

void ArticleLineBack(Article& article) {
  if (article.lineScroll != 1 || PageCount(article) == 0) return;
  article.scrollY = static_cast<int32_t>(
      std::max<int64_t>(int64_t{article.scrollY} - FirstVisibleHeight(article), 0));
  SnapAfterLineStep(article);
}

void ArticleLineForward(Article& article) {
  const int32_t pages = PageCount(article);
  if (article.lineScroll != 1 || pages == 0) return;
  const int64_t moved = int64_t{article.scrollY} + FirstVisibleHeight(article);
  if (article.twoColumns == 0) {
    article.scrollY = static_cast<int32_t>(std::min<int64_t>(moved, Start(article, pages - 1)));
  } else if (pages == 1) {
    article.scrollY = Start(article, 0);
  } else {
    article.scrollY = static_cast<int32_t>(std::min<int64_t>(moved, Start(article, pages - 2)));
  }
  SnapAfterLineStep(article);
}
