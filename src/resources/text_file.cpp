#include "resources/text_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/stop_request.h"
#include "base/text_encoding.h"

namespace {

// A stream over text held in memory, which it frees when closed. The buffer
// has room for the NUL that a write stream puts after its data.
FilePtr MemoryFile(const std::string& text) {
  FilePtr file(fmemopen(nullptr, text.size() + 1, "w+"));
  if (!file || std::fwrite(text.data(), 1, text.size(), file.get()) != text.size()) return nullptr;
  std::rewind(file.get());
  return file;
}

// A huge file is read for seconds: a request to stop leaves it read in part.
void ReadUnlessStopped(FILE* file, std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> chunk(size_t{1} << 20);
  size_t got = 0;
  while (!StopRequested() && (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(got));
  }
}

}  // namespace

FilePtr OpenTextFile(const char* name) {
  FilePtr file = OpenFile(name, "rb");
  if (!file) return file;
  std::vector<uint8_t> bytes;
  ReadUnlessStopped(file.get(), bytes);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::optional<Windows1252Text> converted = Windows1252FromUtf8(text);
  if (!converted) {
    std::rewind(file.get());
    return file;
  }
  return MemoryFile(converted->text);
}
