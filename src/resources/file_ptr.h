// An owned stdio stream, so that a fatal error handled by a throwing handler
// leaves no stream open.
#pragma once

#include <cstdio>
#include <memory>

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

inline FilePtr OpenFile(const char* name, const char* mode) {
  return FilePtr(std::fopen(name, mode));
}
