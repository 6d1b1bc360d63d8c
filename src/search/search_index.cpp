#include "search/search_index.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/fatal.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "base/stop_request.h"
#include "resources/reading_place.h"
#include "resources/resource_file.h"

namespace {

constexpr size_t ARTICLE_READ_CHARS = 4095;  // one read
constexpr const char* END_TAG = "<#END#>";

struct ValueTag {
  const char* literal;
  std::optional<std::string> SearchEntry::*field;
};

constexpr ValueTag VALUE_TAGS[] = {{"<#AUTHOR#>", &SearchEntry::author},
                                   {"<#TITLE#>", &SearchEntry::title},
                                   {"<#KEYWORDS#>", &SearchEntry::keywords}};

bool EndsScan(char c) { return c == '\0' || c == '\n' || c == '\r'; }

// A list or article file opened through the archive and, once open, marked
// as read, so that its fatal errors are named at it and its line; one that
// cannot be opened is named where it is listed.
class OpenedResource {
 public:
  explicit OpenedResource(const char* path) : resource_(path), file_(resource_.OpenText()) {
    if (file_) mark_.emplace(path);
  }

  FILE* file() const { return file_.get(); }
  // Counts the line that a read starting now begins in.
  void CountRead() {
    if (lineEnded_ && mark_) mark_->SetLine(++line_);
  }
  void EndRead(const std::string& read) { lineEnded_ = read.ends_with('\n'); }

 private:
  ResourceFile resource_;
  FilePtr file_;
  std::optional<ReadingMark> mark_;
  int32_t line_ = 0;
  bool lineEnded_ = true;
};

// The value behind a tag that starts at at: up to the next "<#END#>"; returns
// where scanning goes on.
size_t ReadValue(const char* line, size_t at, std::string& value) {
  for (size_t i = at; !EndsScan(line[i]); ++i) {
    if (std::strncmp(line + i, END_TAG, std::strlen(END_TAG)) == 0) {
      value.assign(line + at, i - at);
      return i + std::strlen(END_TAG);
    }
  }
  FatalError("Broken !");
}

void ScanLine(const char* line, SearchEntry& entry) {
  size_t i = 0;
  while (!EndsScan(line[i])) {
    const ValueTag* tag = std::find_if(std::begin(VALUE_TAGS), std::end(VALUE_TAGS), [&](auto& t) {
      return !(entry.*t.field) && std::strncmp(line + i, t.literal, std::strlen(t.literal)) == 0;
    });
    if (tag == std::end(VALUE_TAGS)) {
      ++i;
      continue;
    }
    std::string value;
    i = ReadValue(line, i + std::strlen(tag->literal), value);
    if (value.empty()) continue;
    entry.*tag->field = tag->field == &SearchEntry::title ? StripColourEscapes(value) : value;
  }
}

void IndexArticle(SearchEntry& entry) {
  OpenedResource article(entry.path.c_str());
  if (article.file() == nullptr || !SearchLinkable(entry.path)) {
    FatalError("Cannot open artFile !");
  }
  // Huge articles are scanned for seconds: a request to stop leaves the index in part.
  while (!StopRequested()) {
    article.CountRead();
    const std::optional<std::string> line = ReadLine(article.file(), ARTICLE_READ_CHARS);
    if (!line) break;
    ScanLine(line->c_str(), entry);
    article.EndRead(*line);
  }
}

}  // namespace

bool SearchLinkable(const std::string& path) {
  return path.find("<#") == std::string::npos && path.find("#>") == std::string::npos;
}

std::string StripColourEscapes(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      plain.push_back(text[i]);
    } else if (i + 1 < text.size() && text[i + 1] == '\\') {
      plain.push_back('\\');
      ++i;
    } else {
      i = std::min(text.find(' ', i), text.size());
    }
  }
  return plain;
}

SearchIndex LoadSearchIndex() {
  SearchIndex index;
  OpenedResource list(SEARCH_LIST_PATH);
  if (list.file() == nullptr) FatalError("Cannot open search list !");
  list.CountRead();
  while (const std::optional<WholeLine> line = ReadWholeLine(list.file(), PATH_MAX_CHARS)) {
    SearchEntry entry{ListName(line->text), {}, {}, {}};
    ++index.fileCount;
    IndexArticle(entry);
    index.entries.push_back(std::move(entry));
    list.CountRead();
  }
  std::reverse(index.entries.begin(), index.entries.end());
  return index;
}
