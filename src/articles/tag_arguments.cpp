#include "articles/tag_arguments.h"

#include <optional>
#include <string_view>

#include "articles/parser_state.h"
#include "base/integer_reader.h"

namespace {

template <typename T>
bool ReadAt(const std::string& line, size_t& at, T& value,
            std::optional<T> (*take)(std::string_view&)) {
  if (at > line.size()) return false;
  std::string_view rest = std::string_view(line).substr(at);
  const std::optional<T> read = take(rest);
  if (!read) return false;
  value = *read;
  at = line.size() - rest.size();
  return true;
}

}  // namespace

bool ReadNumber(const std::string& line, size_t& at, int32_t& value) {
  return ReadAt(line, at, value, TakeInt);
}

bool ReadColour(const std::string& line, size_t& at, uint32_t& value) {
  return ReadAt(line, at, value, TakeHex);
}

bool ReadOffset(const std::string& line, size_t& at, Offset& offset) {
  offset.relative = 0;
  if (at < line.size() && (line[at] == '+' || line[at] == '-')) {
    offset.relative = line[at] == '+' ? 1 : -1;
    ++at;
  }
  return ReadNumber(line, at, offset.number);
}

int32_t OffsetApply(const Offset& offset, int32_t cursor) {
  if (offset.relative == 0) return offset.number;
  return ClampedSum(cursor, int64_t{offset.relative} * offset.number);
}

size_t FieldEnd(const std::string& line, size_t at, bool colon, bool tagEnd) {
  for (size_t i = at; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\n' || c == '\r') break;
    if (colon && c == ':') return i;
    if (tagEnd && line.compare(i, 2, "#>") == 0) return i;
  }
  return std::string::npos;
}
