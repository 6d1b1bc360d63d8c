#include "articles/article_history.h"

#include <cerrno>
#include <string>
#include <vector>

#include "base/line_reader.h"
#include "platform/reader_files.h"
#include "resources/byte_reader.h"
#include "resources/file_ptr.h"
#include "resources/whole_file.h"

namespace {

void MarkFromHistory(std::deque<LinkEntry>& targets, const std::string& line) {
  for (LinkEntry& entry : targets) {
    if (entry.text == line) {
      entry.visited = true;
      entry.fromHistory = true;
      return;
    }
  }
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
  // A missing file is empty; one that cannot be read is not replaced by the
  // new lines alone.
  std::vector<uint8_t> history;
  if (!ReadWholeFile(fileName, history) && errno != ENOENT) return;
  if (SaveWholeFile(fileName, std::string(history.begin(), history.end()) + added)) {
    ReaderFileKept(fileName);
  }
}
