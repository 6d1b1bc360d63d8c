// The state of one article file while it is read: the current style, the text
// cursor and the display line being filled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "articles/article.h"

constexpr size_t ARTICLE_RUN_MAX = 9999;  // characters of a run, a read or a rest
constexpr const char* FIXED_FACE = ":FIXED";
constexpr size_t NO_SEGMENT = static_cast<size_t>(-1);

struct ParserState {
  int32_t x = 0, y = 0;
  std::string face = FIXED_FACE;
  const GlyphTable* font = nullptr;
  int32_t fontPending = 0;
  int32_t sizeX = 8, sizeY = 16;
  int32_t bold = 0, italic = 0, underline = 0;
  uint32_t colour = 0xFFFFFF;
  int32_t antialias = 1;
  int32_t justify = 0;
  int32_t autoBreak = 0;
  int32_t breakMode = 0;
  int32_t jlimit = 320;
  int32_t link = -1;
  int32_t sourceLine = 0;
  int32_t gotoPending = 0, gotoX = 0, gotoY = 0;
  int32_t rulePending = 0;
  std::string rest;
  bool passable = false;  // a fault now leaves the parse as it was before the tag

  // The open display line of a tagged source line: the front of the
  // article's lines while it is open.
  ArticleLine* current = nullptr;
  int32_t lineWidth = 0;
  int32_t lineHeight = 0;
  size_t breakFrom = NO_SEGMENT;  // index into current's segments
};

// Sums of coordinates read from a file, kept inside int32_t.
inline int32_t ClampedSum(int64_t a, int64_t b) {
  const int64_t sum = a + b;
  if (sum > INT32_MAX) return INT32_MAX;
  if (sum < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(sum);
}
