#include "articles/tag_arguments.h"

#include <cstdlib>

#include "articles/parser_state.h"

bool ReadNumber(const std::string& line, size_t& at, int32_t& value) {
  if (at > line.size()) return false;
  const char* start = line.c_str() + at;
  char* end = nullptr;
  const long long read = std::strtoll(start, &end, 0);
  if (end == start) return false;
  value = static_cast<int32_t>(read > INT32_MAX ? INT32_MAX : read < INT32_MIN ? INT32_MIN : read);
  at += static_cast<size_t>(end - start);
  return true;
}

bool ReadColour(const std::string& line, size_t& at, uint32_t& value) {
  if (at > line.size()) return false;
  const char* start = line.c_str() + at;
  char* end = nullptr;
  const unsigned long long read = std::strtoull(start, &end, 16);
  if (end == start) return false;
  value = static_cast<uint32_t>(read > UINT32_MAX ? UINT32_MAX : read);
  at += static_cast<size_t>(end - start);
  return true;
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
