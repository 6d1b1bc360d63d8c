#include "articles/article_history.h"

#include <cerrno>
#include <cstdio>
#include <string>

#include "base/line_reader.h"
#include "resources/file_ptr.h"
#include "resources/whole_file.h"

namespace {

void MarkFromHistory(std::deque<LinkEntry>& targets, const std::string& line) {
  for (LinkEntry& entry : targets) {
    if (entry.text == line) {
      entry.visited = 1;
      entry.fromHistory = 1;
      return;
    }
  }
}

// The file's bytes; a missing file is empty, one that cannot be read fails
// (so that it is not replaced by the new lines alone).
bool ReadWhole(const char* fileName, std::string& bytes) {
  FilePtr file = OpenFile(fileName, "rb");
  if (!file) return errno == ENOENT;
  char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) bytes.append(chunk, n);
  return std::ferror(file.get()) == 0;
}

}  // namespace

void HistoryApply(std::deque<LinkEntry>& targets, const char* fileName) {
  FilePtr file = OpenFile(fileName, "rb");
  if (!file) return;
  // NUL bytes stay in the text; an empty line names no target, not even an empty one.
  while (const std::optional<WholeLine> line = ReadWholeLine(file.get(), HISTORY_LINE_MAX)) {
    if (!line->cut && !line->text.empty()) MarkFromHistory(targets, line->text);
  }
}

void HistoryAppendVisited(const std::deque<LinkEntry>& targets, const char* fileName) {
  std::string added;
  for (const LinkEntry& entry : targets) {
    if (entry.visited == 1 && entry.fromHistory == 0) added += entry.text + '\n';
  }
  if (added.empty()) return;
  std::string history;
  if (!ReadWhole(fileName, history)) return;
  SaveWholeFile(fileName, history + added);
}
