// Line layout: runs and plain lines become display lines, broken at spaces
// under auto-break; the end of an article adds its height, a sentinel line
// and the justification; the picture cache.
// Private to articles/: nothing outside it includes this header.
#pragma once

#include <cstdint>
#include <string>

#include "articles/article.h"
#include "articles/parser_state.h"

// Measured with the fixed font when font is null, else with zero spacings.
TextSize LayoutMeasure(const ArticleFonts& fonts, const std::string& text, const GlyphTable* font);

// A line without tags: the text up to LF or CR, TABs already expanded.
void LayoutPlainLine(Article& article, ParserState& state, const std::string& text);
// One non-empty run of a tagged line.
void LayoutRun(Article& article, ParserState& state, const std::string& run);
// Closes the open line at the end of a tagged source line.
void LayoutEndSourceLine(Article& article, ParserState& state);
// A line without visible characters: the cursor moves down one space high.
void LayoutBlankLine(Article& article, ParserState& state);

// The cached entry of name (any letter case), loaded on a miss. A name may
// end with "*speedX*speedY".
PictureEntry& PictureCacheGet(Article& article, const char* name);

// Picture heights, the bottom margin, the sentinel line, the trimmed last
// segments and the justification.
void ArticleFinish(Article& article);
void ArticleJustify(Article& article);
