// A tracker module read from a plain file through libopenmpt, as the reader
// plays it: once to its end, undithered, so that the same module always gives
// the same samples. The file's size is bounded before it is read whole.
#pragma once

#include <memory>

struct openmpt_module;
struct ModuleCloser {
  void operator()(openmpt_module* module) const;
};
using ModulePtr = std::unique_ptr<openmpt_module, ModuleCloser>;

// The module in the file at path; null when the file cannot be read, is
// larger than any tracker module, or is no module libopenmpt reads.
ModulePtr LoadModuleFile(const char* path);
