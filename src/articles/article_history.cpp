#include "articles/article_history.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "resources/whole_file.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

enum class LineRead { Whole, TooLong, End };

// One line without its LF, byte by byte so that NUL bytes stay in the text.
// Characters beyond the limit are consumed but not kept.
LineRead ReadLine(std::FILE* file, std::string& line) {
  line.clear();
  bool tooLong = false;
  int c = std::fgetc(file);
  if (c == EOF) return LineRead::End;
  for (; c != EOF && c != '\n'; c = std::fgetc(file)) {
    if (line.size() < HISTORY_LINE_MAX) {
      line.push_back(static_cast<char>(c));
    } else {
      tooLong = true;
    }
  }
  return tooLong ? LineRead::TooLong : LineRead::Whole;
}

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
  File file(std::fopen(fileName, "rb"));
  if (!file) return errno == ENOENT;
  char chunk[4096];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;) bytes.append(chunk, n);
  return std::ferror(file.get()) == 0;
}

}  // namespace

void HistoryApply(std::deque<LinkEntry>& targets, const char* fileName) {
  File file(std::fopen(fileName, "rb"));
  if (!file) return;
  std::string line;
  for (LineRead read; (read = ReadLine(file.get(), line)) != LineRead::End;) {
    // An empty line names no target, not even an empty one.
    if (read == LineRead::Whole && !line.empty()) MarkFromHistory(targets, line);
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
