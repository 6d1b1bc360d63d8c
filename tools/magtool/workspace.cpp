#include "magtool/workspace.h"

#include <stdlib.h>

#include <string>
#include <system_error>

namespace fs = std::filesystem;

Workspace::Workspace(const char* prefix) {
  std::error_code error;
  std::string pattern = (fs::temp_directory_path(error) / prefix).string() + "-XXXXXX";
  if (!error && mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
}

void Workspace::Remove() {
  std::error_code ignored;
  if (!dir_.empty()) fs::remove_all(dir_, ignored);
  dir_.clear();
}
