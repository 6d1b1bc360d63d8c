#include "articles/article_parse.h"

#include <cstdio>
#include <string>

#include "articles/article_layout.h"
#include "articles/article_tags.h"
#include "articles/parser_state.h"
#include "base/fatal.h"
#include "base/line_reader.h"
#include "base/stop_request.h"
#include "resources/archive.h"
#include "resources/reading_place.h"
#include "resources/resource_file.h"

namespace {

constexpr size_t NPOS = std::string::npos;

// One read of at most ARTICLE_RUN_MAX bytes, without the bytes from a NUL on.
// An empty source line still shows as a line: one space.
bool ReadSourceLine(FILE* file, std::string& line) {
  const std::optional<std::string> read = ReadLine(file, ARTICLE_RUN_MAX);
  if (!read) return false;
  line = read->substr(0, read->find('\0'));
  if (!line.empty() && (line[0] == '\n' || line[0] == '\r')) line = " \n";
  return true;
}

// The text of line[from, to) up to LF or CR, every TAB as eight spaces, at
// most ARTICLE_RUN_MAX characters.
std::string ExpandRun(const std::string& line, size_t from, size_t to) {
  std::string run;
  for (size_t i = from; i < to && run.size() < ARTICLE_RUN_MAX; ++i) {
    const char c = line[i];
    if (c == '\n' || c == '\r') break;
    if (c == '\t') {
      run.append(8, ' ');
    } else {
      run.push_back(c);
    }
  }
  if (run.size() > ARTICLE_RUN_MAX) run.resize(ARTICLE_RUN_MAX);
  return run;
}

// A new source line, counted.
bool ReadCountedLine(ParserState& state, FILE* file, std::string& line) {
  if (!ReadSourceLine(file, line)) return false;
  ++state.sourceLine;
  return true;
}

// The next line to process: the rest after an HLINE or a GOTO, or a read.
bool NextLine(Article& article, ParserState& state, FILE* file, std::string& line) {
  if (state.rulePending) {
    const int32_t ruleY = ClampedSum(state.y, 4);
    article.drawings.push_front(LineDrawing{0, state.jlimit, ruleY, ruleY, state.colour});
    state.y = ClampedSum(state.y, 8);
    state.rulePending = 0;
    state.x = 0;
    line = std::move(state.rest);
    state.rest.clear();
    return true;
  }
  if (state.gotoPending) {
    state.gotoPending = 0;
    state.x = state.gotoX;
    state.y = state.gotoY;
    if (state.rest.empty()) return ReadCountedLine(state, file, line);
    line = std::move(state.rest);
    state.rest.clear();
    return true;
  }
  state.x = 0;
  return ReadCountedLine(state, file, line);
}

void TaggedLine(Article& article, ParserState& state, const std::string& line) {
  size_t at = 0;
  while (at < line.size()) {
    const size_t tag = line.find("<#", at);
    const std::string run = ExpandRun(line, at, tag == NPOS ? line.size() : tag);
    if (!run.empty()) {
      ParserFetchFont(article, state);
      LayoutRun(article, state, run);
    }
    if (tag == NPOS) break;
    at = ArticleTag(article, state, line, tag);
  }
  LayoutEndSourceLine(article, state);
}

void ProcessLine(Article& article, ParserState& state, std::string& line) {
  line.resize(line.find_last_not_of(" \t") + 1);
  if (line.find_first_not_of("\t\n\r") == NPOS) {
    ParserFetchFont(article, state);
    LayoutBlankLine(article, state);
  } else if (line.find("<#") == NPOS) {
    ParserFetchFont(article, state);
    LayoutPlainLine(article, state, ExpandRun(line, 0, line.size()));
  } else {
    TaggedLine(article, state, line);
  }
}

void ParseFile(Article& article, const char* path, ReadingMark& mark) {
  const ResourceFile source(path);
  const FilePtr file = source.OpenText();
  if (!file) {
    const std::string message = "Cannot open " + ResourceShownName(source.name()) + " file !";
    FatalError(message.c_str());
  }
  ParserState state;
  article.totalHeight = 0;
  std::string line;
  // A huge article takes seconds; a request to stop leaves it laid out in part.
  while (!StopRequested() && NextLine(article, state, file.get(), line)) {
    mark.SetLine(state.sourceLine);
    ProcessLine(article, state, line);
  }
}

}  // namespace

// A fatal error is named at the article and the line being parsed; one in
// the laying out of pages after the last line, at the article alone.
void ArticleParse(Article& article, const char* path) {
  ReadingMark mark(path);
  ParseFile(article, path, mark);
  mark.SetLine(0);
  ArticleFinish(article);
}
