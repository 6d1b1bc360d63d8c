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

bool Workspace::Enter() {
  std::error_code error;
  previous_ = fs::current_path(error);
  if (!error) fs::current_path(dir_, error);
  entered_ = !error;
  return entered_;
}

void Workspace::Leave() {
  std::error_code ignored;
  if (entered_) fs::current_path(previous_, ignored);
  entered_ = false;
  if (!dir_.empty()) fs::remove_all(dir_, ignored);
  dir_.clear();
}
