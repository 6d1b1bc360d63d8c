// Fuzzes the UTF-8 text reader: the conversion keeps every line break, never
// grows the text and marks each line it gave a '?'; the opened file hands out
// the converted text, or the bytes as they are when they are not UTF-8.
#include <algorithm>
#include <string>
#include <string_view>

#include "base/text_encoding.h"
#include "fuzz_support.h"
#include "resources/text_file.h"

namespace {

std::string ReadAll(FILE* file) {
  std::string text;
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) text.push_back(static_cast<char>(c));
  return text;
}

void CheckConversion(std::string_view bytes, const Windows1252Text& read) {
  const auto breaks = std::count(bytes.begin(), bytes.end(), '\n');
  const auto keptBreaks = std::count(read.text.begin(), read.text.end(), '\n');
  if (read.text.size() > bytes.size() || keptBreaks != breaks) std::abort();
  const auto marks = std::count(read.text.begin(), read.text.end(), '?');
  if (static_cast<size_t>(marks) < read.unmappedLines.size()) std::abort();
  int32_t last = 0;
  for (int32_t line : read.unmappedLines) {
    if (line <= last || line > breaks + 1) std::abort();
    last = line;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(AbortOnFatal);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<Windows1252Text> read = Windows1252FromUtf8(bytes);
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return c >= 0; });
  if (read && ascii) std::abort();
  if (read) CheckConversion(bytes, *read);
  WriteInput("text.txt", data, size);
  const FilePtr file = OpenTextFile("text.txt");
  if (!file || ReadAll(file.get()) != (read ? read->text : std::string(bytes))) std::abort();
  return 0;
}
