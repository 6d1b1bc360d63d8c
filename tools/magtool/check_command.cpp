// magtool check: the issue loaded as the reader loads it, in a private
// directory that holds only its archive.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "magtool/check_issue.h"
#include "magtool/commands.h"
#include "magtool/workspace.h"

namespace fs = std::filesystem;

namespace {

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
  Workspace work("magtool-check");
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
