// magtool check: the issue loaded as the reader loads it, from its archive,
// with a private folder as the reader's folder.
#include <cstdio>
#include <filesystem>

#include "magtool/check_issue.h"
#include "magtool/check_links.h"
#include "magtool/commands.h"
#include "magtool/place_archive.h"

namespace fs = std::filesystem;

int CheckCommand(const std::string& path, bool strict) {
  const fs::path source = fs::absolute(path);
  Workspace work("magtool-check");
  if (!work.Made()) {
    std::fprintf(stderr, "magtool: cannot make a working directory\n");
    return 1;
  }
  // Links that lead out are warned of below, and their files checked.
  const fs::path archive =
      PlaceArchive(source, work, {.store = true, .followLinks = true, .quiet = true});
  if (archive.empty()) return 1;
  CheckReport report = CheckIssue({archive.string(), work.Folder().string()});
  CheckFolderLinks(report, source);
  for (const std::string& line : report.Lines()) std::printf("%s\n", line.c_str());
  // The summary counts both kinds, and says why the status is 1.
  const int32_t problems = report.Problems(), warnings = report.Warnings();
  const bool failed = problems > 0 || (strict && warnings > 0);
  if (problems > 0) {
    std::printf("failed: %d error%s, ", problems, problems == 1 ? "" : "s");
  } else {
    std::printf(failed ? "failed with --strict: " : "ok: ");
  }
  std::printf("%d articles, %d pictures, %d modules checked", report.articles, report.pictures,
              report.modules);
  if (warnings > 0) std::printf(", %d warning%s", warnings, warnings == 1 ? "" : "s");
  std::printf("\n");
  return failed ? 1 : 0;
}
