// magtool check: the issue loaded as the reader loads it, from its archive,
// with a private folder as the reader's folder.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "magtool/check_issue.h"
#include "magtool/commands.h"
#include "magtool/workspace.h"
#include "resources/file_ptr.h"
#include "resources/reader_places.h"

namespace fs = std::filesystem;

namespace {

// The archive to check: an unpacked issue is packed into the workspace
// first, so that it is read as its archive will be. Empty when there is none.
fs::path PlaceArchive(const fs::path& source, const Workspace& work) {
  std::error_code error;
  if (fs::is_directory(source, error)) {
    const fs::path packed = work.Folder() / RESOURCE_ARCHIVE_FILE;
    return PackCommand(source, packed, true) == 0 ? packed : fs::path();
  }
  if (fs::is_regular_file(source, error) && OpenFile(source.c_str(), "rb")) return source;
  std::fprintf(stderr, "magtool: cannot read %s\n", source.c_str());
  return {};
}

}  // namespace

int CheckCommand(const std::string& path, bool strict) {
  const fs::path source = fs::absolute(path);
  Workspace work("magtool-check");
  if (!work.Made()) {
    std::fprintf(stderr, "magtool: cannot make a working directory\n");
    return 1;
  }
  const fs::path archive = PlaceArchive(source, work);
  if (archive.empty()) return 1;
  const CheckReport report = CheckIssue({archive.string(), work.Folder().string()});
  for (const std::string& line : report.Lines()) std::printf("%s\n", line.c_str());
  if (report.Problems() > 0) return 1;
  std::printf("ok: %d articles, %d pictures, %d modules checked", report.articles,
              report.pictures, report.modules);
  const int32_t warnings = report.Warnings();
  if (warnings > 0) std::printf(", %d warning%s", warnings, warnings == 1 ? "" : "s");
  std::printf("\n");
  return strict && warnings > 0 ? 1 : 0;
}
