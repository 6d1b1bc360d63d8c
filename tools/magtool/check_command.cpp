// magtool check: the issue loaded as the reader loads it, in a private
// directory that holds only its archive.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "magtool/check_issue.h"
#include "magtool/commands.h"

namespace fs = std::filesystem;

namespace {

class Workspace {
 public:
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "magtool-check-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
  }
  ~Workspace() {
    std::error_code ignored;
    if (entered_) fs::current_path(previous_, ignored);
    if (!dir_.empty()) fs::remove_all(dir_, ignored);
  }
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  fs::path Archive() const { return dir_ / "data.rs"; }
  bool Made() const { return !dir_.empty(); }

  bool Enter() {
    std::error_code error;
    previous_ = fs::current_path(error);
    if (!error) fs::current_path(dir_, error);
    entered_ = !error;
    return entered_;
  }

 private:
  fs::path dir_;
  fs::path previous_;
  bool entered_ = false;
};

// An unpacked issue is packed first, so that it is read as its archive will be.
bool PlaceArchive(const fs::path& source, const fs::path& archive) {
  std::error_code error;
  if (fs::is_directory(source, error)) return PackCommand(source, archive, true) == 0;
  fs::copy_file(source, archive, error);
  if (error) std::fprintf(stderr, "magtool: cannot read %s\n", source.c_str());
  return !error;
}

}  // namespace

int CheckCommand(const std::string& path) {
  const fs::path source = fs::absolute(path);
  Workspace work;
  if (!work.Made() || !PlaceArchive(source, work.Archive()) || !work.Enter()) {
    if (!work.Made()) std::fprintf(stderr, "magtool: cannot make a working directory\n");
    return 1;
  }
  const CheckReport report = CheckIssue();
  for (const std::string& line : report.Lines()) std::printf("%s\n", line.c_str());
  if (!report.Lines().empty()) return 1;
  std::printf("ok: %d articles, %d pictures, %d modules checked\n", report.articles,
              report.pictures, report.modules);
  return 0;
}
