// A private folder for a magtool command that runs the reader's own code: the
// engine reads "data.rs" and unpacks members into its current directory, so
// the command works inside a folder of its own holding a copy of the issue's
// archive, and leaves no trace of it.
#pragma once

#include <filesystem>

class Workspace {
 public:
  // Made under the temporary directory, named prefix-XXXXXX; Made() tells.
  explicit Workspace(const char* prefix);
  ~Workspace() { Leave(); }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  bool Made() const { return !dir_.empty(); }
  std::filesystem::path Archive() const { return dir_ / "data.rs"; }

  // Makes the folder the current directory.
  bool Enter();
  // Back to the directory entered from, the folder removed with its contents;
  // later calls do nothing. For a fatal path that ends the process at once.
  void Leave();

 private:
  std::filesystem::path dir_;
  std::filesystem::path previous_;
  bool entered_ = false;
};
