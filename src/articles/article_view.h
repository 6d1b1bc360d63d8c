// Article pages, drawing and scrolling: the laid-out article cut into pages
// of the view's height, the visible part drawn in one or two columns (the
// right one 320 pixels right of the left), scrolling pictures moved, and the
// scroll position moved by lines, pages and spreads.
#pragma once

#include <cstdint>

#include "articles/article.h"
#include "pictures/picture.h"

constexpr int32_t ARTICLE_RIGHT_COLUMN_X = 320;  // from the left column's x

// The article draws into picture (borrowed) from now on; paginates when there
// was no view or the height changed.
void ArticleSetView(Article& article, Picture& picture);

// What one ArticleDraw does.
struct ArticleDrawParts {
  bool hitTest;  // find the hovered link first
  bool left;     // draw the left column
  bool right;    // and the right one, in two-column mode
};

// Draws the columns parts asks for, the left from view column x.
void ArticleDraw(Article& article, int32_t x, ArticleDrawParts parts);

// One step of picture scrolling, once per frame.
void ArticleAnimatePictures(Article& article);

struct ArticleScroll {
  int32_t scrollY, rightScrollY;
};
ArticleScroll ArticleGetScroll(const Article& article);
void ArticleSetScroll(Article& article, int32_t scrollY, int32_t rightScrollY);

// 0 at the top .. 1 at the end, for progress bars.
float ArticleScrollFraction(const Article& article);

void ArticleHome(Article& article);
void ArticleEnd(Article& article);
void ArticlePageBack(Article& article);
void ArticlePageForward(Article& article);
void ArticleLineBack(Article& article);
void ArticleLineForward(Article& article);

// Whether a line is drawn at all in a column at vertical offset cy: wholly
// inside the view vertically, and touching it horizontally at cx.
bool ArticleLineVisible(const Article& article, const ArticleLine& line, int32_t cx, int32_t cy);
