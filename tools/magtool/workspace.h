// A private folder for a magtool command that runs the reader's own code: it
// takes what the reader writes (unpacked members, and an unpacked issue
// packed for checking), holds no file for the reader to find by a plain name,
// and goes with its contents when the command ends.
#pragma once

#include <filesystem>

class Workspace {
 public:
  // Made under the temporary directory, named prefix-XXXXXX; Made() tells.
  explicit Workspace(const char* prefix);
  ~Workspace() { Remove(); }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  bool Made() const { return !dir_.empty(); }
  const std::filesystem::path& Folder() const { return dir_; }

  // The folder removed with its contents; later calls do nothing. For a fatal
  // path that ends the process at once.
  void Remove();

 private:
  std::filesystem::path dir_;
};
