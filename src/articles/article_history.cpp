#include "articles/article_history.h"

#include <cstdio>
#include <memory>
#include <string>

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

}  // namespace

void HistoryApply(std::deque<LinkEntry>& targets, const char* fileName) {
  File file(std::fopen(fileName, "rb"));
  if (!file) return;
  std::string line;
  for (LineRead read; (read = ReadLine(file.get(), line)) != LineRead::End;) {
    if (read == LineRead::Whole) MarkFromHistory(targets, line);
  }
}

void HistoryAppendVisited(const std::deque<LinkEntry>& targets, const char* fileName) {
  File file(std::fopen(fileName, "ab"));
  if (!file) return;
  for (const LinkEntry& entry : targets) {
    if (entry.visited != 1 || entry.fromHistory != 0) continue;
    std::fwrite(entry.text.data(), 1, entry.text.size(), file.get());
    std::fputc('\n', file.get());
  }
}
