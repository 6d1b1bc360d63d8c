#include "platform/reader_files.h"

#include <emscripten.h>

// The page (read.js) stores and offers the files; a page without those
// handlers simply keeps them in memory.
// The body is JavaScript, which clang-format would take for C++.
// clang-format off
EM_JS(void, HandToPage, (const char* handler, const char* path), {
  const name = UTF8ToString(handler);
  if (typeof Module[name] === "function") Module[name](UTF8ToString(path));
});
// clang-format on

void ReaderFileKept(const std::string& path) { HandToPage("readerFileKept", path.c_str()); }

void ReaderFileSaved(const std::string& path) { HandToPage("readerFileSaved", path.c_str()); }
