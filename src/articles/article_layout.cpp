#include "articles/article_layout.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "base/fatal.h"

namespace {

// How many characters of text fit in limit pixels; looks no further than that.
int32_t Fit(const ArticleFonts& fonts, const char* text, const GlyphTable* font, int32_t limit) {
  if (font == nullptr) return FixedFit(text, limit);
  fonts.registry->charSpacing = fonts.registry->wordSpacing = 0;
  return FontFit(*fonts.registry, text, font, limit);
}

std::string TrimSpaces(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool HasVisible(const std::string& text) {
  return text.find_first_not_of("\t\n\r") != std::string::npos;
}

// Where a text that fits n characters breaks: at its last space from index
// 1 on, so that a one-letter word that starts it stays; 0 when none.
size_t LastSpaceBefore(std::string_view text, size_t n) {
  for (size_t i = std::min(n, text.size()); i-- > 1;) {
    if (text[i] == ' ') return i;
  }
  return 0;
}

size_t BreakPoint(std::string_view text, int32_t fit) {
  if (fit <= 0) return 1;
  const size_t space = LastSpaceBefore(text, static_cast<size_t>(fit));
  return space != 0 ? space : static_cast<size_t>(fit);
}

void RaiseTotal(Article& article, int32_t y) {
  article.totalHeight = std::max(article.totalHeight, y);
}

TextSegment MakeSegment(const ParserState& state, int32_t mode, int32_t x, const std::string& text,
                        TextSize size) {
  return TextSegment{.mode = mode,
                     .limit = state.jlimit,
                     .x = x,
                     .y = state.y,
                     .width = size.width,
                     .height = size.height,
                     .charSpacing = 0.0f,
                     .wordSpacing = 0.0f,
                     .text = text,
                     .colour = state.colour,
                     .antialias = state.antialias != 0,
                     .font = state.font,
                     .isLink = state.link != -1,
                     .linkId = state.link,
                     .target = nullptr};
}

ArticleLine& NewLine(Article& article, const ParserState& state, int32_t x) {
  article.lines.push_front(ArticleLine{0, state.sourceLine, x, state.y, 0, 0, 0, 0, {}});
  return article.lines.front();
}

void SingleSegmentLine(Article& article, ParserState& state, int32_t x, const std::string& text,
                       int32_t mode) {
  const TextSize size = LayoutMeasure(article.fonts, text, state.font);
  ArticleLine& line = NewLine(article, state, x);
  TextSegment segment = MakeSegment(state, mode, x, text, size);
  segment.y = ClampedSum(state.y, size.height);
  line.width = size.width;
  line.height = size.height;
  line.hasLink = segment.isLink;
  line.justified = mode != 0 ? 1 : 0;
  line.segments.push_back(std::move(segment));
  state.y = ClampedSum(state.y, size.height);
  RaiseTotal(article, state.y);
}

void OpenCurrent(Article& article, ParserState& state) {
  state.current = &NewLine(article, state, state.x);
}

void AppendToCurrent(ParserState& state, const std::string& text, TextSize size) {
  ArticleLine& line = *state.current;
  TextSegment segment = MakeSegment(state, state.justify, state.x, text, size);
  segment.y = line.y;
  line.segments.push_back(std::move(segment));
  if (state.autoBreak && state.breakFrom == NO_SEGMENT) state.breakFrom = line.segments.size() - 1;
  state.lineWidth = ClampedSum(state.lineWidth, size.width);
  state.lineHeight = std::max(state.lineHeight, size.height);
  state.x = ClampedSum(state.x, size.width);
}

// broken: auto-break moved text on, so the segments from breakFrom on take
// breakMode. A line left without segments is dropped: it shows nothing.
void CloseCurrent(Article& article, ParserState& state, bool broken) {
  ArticleLine& line = *state.current;
  line.width = state.lineWidth;
  line.height = state.lineHeight;
  for (size_t i = 0; i < line.segments.size(); ++i) {
    TextSegment& segment = line.segments[i];
    if (broken && state.breakFrom != NO_SEGMENT && i >= state.breakFrom && segment.mode == 0) {
      segment.mode = state.breakMode;
    }
    segment.y = ClampedSum(segment.y, state.lineHeight);
    if (segment.mode != 0) line.justified = true;
    if (segment.isLink) line.hasLink = true;
  }
  if (line.segments.empty()) article.lines.pop_front();
  state.y = ClampedSum(state.y, state.lineHeight);
  RaiseTotal(article, state.y);
  state.current = nullptr;
  state.breakFrom = NO_SEGMENT;
  state.lineWidth = state.lineHeight = 0;
}

int32_t BrokenMode(const ParserState& state) {
  return state.justify != 0 ? state.justify : state.breakMode;
}

// Lines at x 0 for what is left of a run that did not fit; the last piece
// opens the line that the following runs continue on. The pieces are taken
// from an advancing offset, so that a long run costs its length, not its square.
void ContinueRest(Article& article, ParserState& state, const std::string& run) {
  const int32_t avail =
      std::max(1, ClampedSum(state.jlimit, -LayoutMeasure(article.fonts, " ", state.font).width));
  size_t from = 0;
  for (;;) {
    from = run.find_first_not_of(' ', from);
    if (from == std::string::npos) return;
    const int32_t fit = Fit(article.fonts, run.c_str() + from, state.font, avail);
    if (fit >= static_cast<int64_t>(run.size() - from)) break;
    const size_t n = BreakPoint(std::string_view(run).substr(from), fit);
    SingleSegmentLine(article, state, 0, TrimSpaces(run.substr(from, n)), BrokenMode(state));
    from += n;
  }
  const std::string rest = run.substr(from);
  if (!HasVisible(rest)) return;
  OpenCurrent(article, state);
  AppendToCurrent(state, rest, LayoutMeasure(article.fonts, rest, state.font));
}

}  // namespace

TextSize LayoutMeasure(const ArticleFonts& fonts, const std::string& text, const GlyphTable* font) {
  if (font == nullptr) return FixedMeasure(text.c_str());
  fonts.registry->charSpacing = fonts.registry->wordSpacing = 0;
  return FontMeasure(*fonts.registry, text.c_str(), font);
}

void LayoutPlainLine(Article& article, ParserState& state, const std::string& text) {
  if (!state.autoBreak) {
    SingleSegmentLine(article, state, state.x, text, state.justify);
    return;
  }
  const TextSize whole = LayoutMeasure(article.fonts, text, state.font);
  if (state.x >= state.jlimit) {
    FatalError("Internal script error! (CursorPosition >= JustificationLimit)");
  }
  if (int64_t{state.x} + whole.width < state.jlimit) {
    SingleSegmentLine(article, state, state.x, text, state.justify);
    return;
  }
  const int32_t spaceWidth = LayoutMeasure(article.fonts, " ", state.font).width;
  const int32_t avail = std::max(1, ClampedSum(state.jlimit, -int64_t{state.x} - spaceWidth));
  // Trailing spaces go once; leading ones before every piece.
  const std::string trimmed = TrimSpaces(text);
  size_t from = 0;
  for (;;) {
    from = trimmed.find_first_not_of(' ', from);
    if (from == std::string::npos) return;  // only spaces: nothing to show
    const int32_t fit = Fit(article.fonts, trimmed.c_str() + from, state.font, avail);
    if (fit >= static_cast<int64_t>(trimmed.size() - from)) break;
    const size_t n = BreakPoint(std::string_view(trimmed).substr(from), fit);
    SingleSegmentLine(article, state, state.x, TrimSpaces(trimmed.substr(from, n)),
                      BrokenMode(state));
    from += n;
  }
  const std::string rest = trimmed.substr(from);
  if (HasVisible(rest)) SingleSegmentLine(article, state, state.x, rest, state.justify);
}

void LayoutRun(Article& article, ParserState& state, const std::string& run) {
  if (state.current == nullptr) OpenCurrent(article, state);
  const TextSize size = LayoutMeasure(article.fonts, run, state.font);
  if (!state.autoBreak || int64_t{state.x} + size.width < state.jlimit) {
    AppendToCurrent(state, run, size);
    return;
  }
  if (state.x >= state.jlimit) {
    CloseCurrent(article, state, true);
    state.x = 0;
    OpenCurrent(article, state);
    if (size.width < state.jlimit) {
      AppendToCurrent(state, run, size);
      return;
    }
  }
  const int32_t avail = ClampedSum(state.jlimit, -int64_t{state.x});
  const int32_t fit = Fit(article.fonts, run.c_str(), state.font, avail);
  size_t split = LastSpaceBefore(run, static_cast<size_t>(std::max(fit, 0)));
  if (split == 0 && fit <= 10) {
    // A short word moves whole to the next line.
    CloseCurrent(article, state, true);
    state.x = 0;
    ContinueRest(article, state, run);
    return;
  }
  if (split == 0) split = static_cast<size_t>(fit);
  std::string head = run.substr(0, split);
  head.erase(head.find_last_not_of(" \t") + 1);
  if (!head.empty()) AppendToCurrent(state, head, LayoutMeasure(article.fonts, head, state.font));
  CloseCurrent(article, state, true);
  state.x = 0;
  ContinueRest(article, state, run.substr(split));
}

void LayoutEndSourceLine(Article& article, ParserState& state) {
  if (state.current != nullptr) CloseCurrent(article, state, false);
}

void LayoutBlankLine(Article& article, ParserState& state) {
  state.y = ClampedSum(state.y, LayoutMeasure(article.fonts, " ", state.font).height);
  RaiseTotal(article, state.y);
}
