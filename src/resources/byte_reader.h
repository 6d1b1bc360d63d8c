// Bounded reading of files held whole in memory: every reader of outside data
// goes through these, so that no read can leave the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Forward reads over bytes in memory. Reading or moving past the end yields
// zeros, leaves the position at the end and sets overrun, so that a parser can
// read a group of fields and check once.
struct ByteReader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool overrun = false;

  size_t remaining() const { return size - pos; }
  uint8_t get8() {
    if (pos >= size) {
      overrun = true;
      return 0;
    }
    return data[pos++];
  }
  uint16_t get16le() {
    const uint8_t low = get8();
    return static_cast<uint16_t>(low | get8() << 8);
  }
  uint32_t get32le() {
    const uint32_t low = get16le();
    return low | uint32_t{get16le()} << 16;
  }
  void seek(uint64_t at) {
    overrun = overrun || at > size;
    pos = at > size ? size : static_cast<size_t>(at);
  }
  void skip(size_t count) { seek(uint64_t{pos} + count); }
};

// The rest of an open stream, read to its real end. False on a read error.
bool ReadRest(FILE* file, std::vector<uint8_t>& bytes);

// The whole file, read to its real end whatever seeking would claim (a
// directory or a special file claims anything). False when it cannot be read.
bool ReadWholeFile(const char* name, std::vector<uint8_t>& bytes);
