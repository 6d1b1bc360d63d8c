#include "resources/text_file.h"

#include <array>
#include <optional>
#include <string>

#include "base/text_encoding.h"

namespace {

std::string ReadRest(FILE* file) {
  std::string bytes;
  std::array<char, 65536> chunk;
  size_t got;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    bytes.append(chunk.data(), got);
  }
  return bytes;
}

// A stream over text held in memory, which it frees when closed. The buffer
// has room for the NUL that a write stream puts after its data.
FilePtr MemoryFile(const std::string& text) {
  FilePtr file(fmemopen(nullptr, text.size() + 1, "w+"));
  if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size()) return nullptr;
  std::rewind(file.get());
  return file;
}

}  // namespace

FilePtr OpenTextFile(const char* name) {
  FilePtr file = OpenFile(name, "rb");
  if (!file) return file;
  const std::optional<Windows1252Text> converted = Windows1252FromUtf8(ReadRest(file.get()));
  if (!converted) {
    std::rewind(file.get());
    return file;
  }
  return MemoryFile(converted->text);
}
