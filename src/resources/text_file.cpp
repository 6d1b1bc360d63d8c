#include "resources/text_file.h"

#include <algorithm>
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
// The pieces go straight into the text and grow from small ones, so that a
// short file costs little.
void ReadUnlessStopped(FILE* file, std::vector<uint8_t>& bytes) {
  constexpr size_t LARGEST_PIECE = size_t{1} << 16;
  size_t piece = size_t{1} << 12;
  bool more = true;
  while (more && !StopRequested()) {
    const size_t at = bytes.size();
    bytes.resize(at + piece);
    const size_t got = std::fread(bytes.data() + at, 1, piece, file);
    bytes.resize(at + got);
    more = got == piece;
    piece = std::min(piece * 2, LARGEST_PIECE);
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
