#include "magtool/check_links.h"

#include <string>
#include <system_error>

#include "magtool/folder_listing.h"

void CheckFolderLinks(CheckReport& report, const std::filesystem::path& source) {
  std::error_code error;
  IssueFolder found;
  std::string fault;
  // A folder that cannot be read has failed the packing already.
  if (!std::filesystem::is_directory(source, error) || !ListIssueFolder(source, found, fault)) {
    return;
  }
  for (const std::string& name : found.leaving) {
    report.Warn({name},
                "a link that leads out of the issue folder; pack and web refuse it "
                "unless given --follow-links");
  }
  for (const LeftOut& left : found.leftOut) {
    report.Warn({left.name}, std::string("left out of the archive: ") + left.why);
  }
}
