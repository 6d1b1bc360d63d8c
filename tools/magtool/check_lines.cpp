#include "magtool/check_lines.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "base/line_reader.h"
#include "base/path_limit.h"
#include "magtool/check_step.h"
#include "resources/resource_file.h"

namespace {

std::vector<MemberLine> ReadPieces(FILE* file, size_t maxChars) {
  std::vector<MemberLine> pieces;
  int32_t line = 1;
  while (std::optional<std::string> text = ReadLine(file, maxChars > 0 ? maxChars : SIZE_MAX)) {
    const bool ended = text->back() == '\n';
    pieces.push_back({std::move(*text), line});
    if (ended) ++line;
  }
  return pieces;
}

}  // namespace

std::optional<std::vector<MemberLine>> ReadMemberLines(const char* path, size_t maxChars) {
  const ResourceFile member(path);
  if (const FilePtr file = member.OpenText()) return ReadPieces(file.get(), maxChars);
  return std::nullopt;
}

std::string ListEntry(const std::string& text) { return ListName(text.substr(0, PATH_MAX_CHARS)); }

std::string MemberKey(const std::string& path) {
  std::string key = path;
  for (char& c : key) {
    c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return key;
}

bool MemberExists(const std::string& path) {
  bool exists = false;
  RunStep([&] {
    const ResourceFile member(path);
    std::error_code error;
    exists = std::filesystem::is_regular_file(member.name(), error);
  });
  return exists;
}

std::vector<MemberLine> SourceLines(const std::string& path) {
  std::optional<std::vector<MemberLine>> lines;
  RunStep([&] { lines = ReadMemberLines(path.c_str(), 0); });
  return lines ? std::move(*lines) : std::vector<MemberLine>{};
}

int32_t FindLine(const std::vector<MemberLine>& lines, const std::string& needle) {
  for (const MemberLine& line : lines) {
    if (line.text.find(needle) != std::string::npos) return line.line;
  }
  return 0;
}
