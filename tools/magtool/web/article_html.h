// An article's body as HTML, from the lines, segments, pictures and rules
// the engine laid out: each display line a block at the engine's height and
// indent, each segment a span (or anchor) of its face, size, colour and
// style; pictures and rules blocks of their own, all in the engine's
// vertical order. Justification is left to CSS. A two-column article with a
// page table (a view set) is laid out as the reader's spreads.
// A line whose text is all set a quarter taller than the body's or more is a
// heading: h2 for the tallest text of the article, h3 for the rest.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "articles/article.h"
#include "magtool/web/site.h"

struct ArticleHtml {
  std::string body;    // the <main> element
  std::string styles;  // the rules of the segment classes it uses
};

// The height most of the article's text has: the body's, which headings exceed.
int32_t BodyTextHeight(const Article& article);

// The CSS font rules of a face of the article; null is the fixed font.
std::string FaceStyle(const Site& site, const Article& article, const GlyphTable* font);

// text's characters noted as set in the face, which the site's copy of the
// face must hold.
void NoteDrawn(Site& site, const Article& article, const GlyphTable* font, std::string_view text);

// page: the page's name from the site's root, for relative links.
ArticleHtml ArticleBody(Site& site, const Article& article, const std::string& page);
