// Links, hotspots and the title line: the link under the pointer found while
// drawing, the sorted hotspot table for keyboard selection, visited marks,
// and the title (or the hovered link's ALT text) with colour escapes and a
// marquee for texts wider than their box.
#pragma once

#include <cstddef>
#include <cstdint>

#include "articles/article.h"
#include "pictures/picture.h"

// Pointer position in view coordinates, for the hover search.
void ArticleSetMouse(Article& article, int32_t x, int32_t y);

// The hover search for one column drawn at (cx, cy): sets hoverId and
// hoverTarget from the first text link, then picture link, under the pointer;
// returns whether one was found. ArticleDraw clears the hover first and
// searches the left column, then the right.
bool ArticleHoverSearch(Article& article, int32_t cx, int32_t cy);

// The hovered link, one of the article's entries; null for none.
const LinkEntry* ArticleHoverTarget(const Article& article);
void ArticleClearHover(Article& article);
// link is one of the article's own entries.
void ArticleMarkVisited(Article& article, const LinkEntry& link);

// Built at load: one hotspot per link segment and picture link, sorted by
// (y, x). More than 8190 is fatal ("LinksTable overload !").
void ArticleBuildHotspots(Article& article);
int32_t ArticleFirstVisibleHotspot(const Article& article);
int32_t ArticleLastVisibleHotspot(const Article& article);
const LinkEntry* ArticleSelectHotspot(Article& article, int32_t index);
int32_t ArticleHotspotId(const Article& article, int32_t index);

// At load: the title's colour escapes turned into titleColours.
void ArticlePrepareTitle(Article& article);

// The longest ALT text (the characters after ":ALT:") the title box takes;
// drawing a longer one is fatal with ALT_TOO_LONG.
constexpr size_t MAX_ALT_LENGTH = 2046;
constexpr const char* ALT_TOO_LONG = "ALT tag is too long!";

// The title's width as the title box draws it; a wider title scrolls
// across the box (one pixel each MARQUEE_STEP_MS).
int32_t ArticleTitleWidth(const Article& article);
constexpr uint32_t MARQUEE_STEP_MS = 20;
constexpr int32_t TITLE_FIXED_BASELINE = 12;  // the fixed font's baseline below the box's top

// Draws the title or the hovered link's ALT text with its top left at (x, y);
// returns the number of characters drawn.
int32_t ArticleDrawTitle(Article& article, int32_t x, int32_t y, Picture& picture);
