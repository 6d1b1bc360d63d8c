// Readers for the arguments of article tags. Each takes the line and an index
// into it, moves the index behind what it read and never reads past the
// line's end.
// Private to articles/: nothing outside it includes this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A signed integer as "%i" reads it (leading blanks, decimal, "0x" hex or
// leading-zero octal). False when none can be read or it passes 32 bits.
bool ReadNumber(const std::string& line, size_t& at, int32_t& value);

// Hexadecimal digits as "%X" reads them. False when none can be read or they
// pass 32 bits.
bool ReadColour(const std::string& line, size_t& at, uint32_t& value);

// A number, relative to the cursor when a '+' or '-' precedes it.
struct Offset {
  int32_t number;
  int32_t relative;  // 0 absolute, 1 after '+', -1 after '-'
};
bool ReadOffset(const std::string& line, size_t& at, Offset& offset);
int32_t OffsetApply(const Offset& offset, int32_t cursor);

// The index of the first ':' (when colon) or "#>" (when tagEnd) from at on;
// npos when the line's end, LF or CR comes first.
size_t FieldEnd(const std::string& line, size_t at, bool colon, bool tagEnd);
