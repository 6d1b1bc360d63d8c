#include "base/line_reader.h"

std::optional<std::string> ReadLine(std::FILE* file, size_t maxChars) {
  std::string line;
  int c = 0;
  while (line.size() < maxChars && (c = std::getc(file)) != EOF) {
    line.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  if (line.empty()) return std::nullopt;
  return line;
}

// One piece longer than the limit tells a cut line; the rest of it is skipped.
std::optional<WholeLine> ReadWholeLine(std::FILE* file, size_t maxChars) {
  std::optional<std::string> piece = ReadLine(file, maxChars + 1);
  if (!piece) return std::nullopt;
  if (piece->back() == '\n') piece->pop_back();
  const bool cut = piece->size() > maxChars;
  if (cut) {
    piece->resize(maxChars);
    for (int c = std::getc(file); c != EOF && c != '\n'; c = std::getc(file)) {
    }
  }
  return WholeLine{std::move(*piece), cut};
}

std::string ListName(std::string_view line) {
  static constexpr char ENDS[] = {'\n', '\r', '\t', '\0'};
  return std::string(line.substr(0, line.find_first_of(ENDS, 0, sizeof ENDS)));
}

std::string OneLine(std::string_view message) {
  std::string line;
  for (char c : message) {
    const bool space = c == '\n' || c == '\r' || c == '\t' || c == ' ';
    if (!space) {
      line.push_back(c);
    } else if (!line.empty() && line.back() != ' ') {
      line.push_back(' ');
    }
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}
