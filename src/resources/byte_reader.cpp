#include "resources/byte_reader.h"

#include <array>
#include <cstdio>

#include "resources/file_ptr.h"

bool ReadRest(FILE* file, std::vector<uint8_t>& bytes) {
  std::array<uint8_t, 65536> chunk;
  size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
  return std::ferror(file) == 0;
}

bool ReadWholeFile(const char* name, std::vector<uint8_t>& bytes) {
  const FilePtr file = OpenFile(name, "rb");
  return file && ReadRest(file.get(), bytes);
}
