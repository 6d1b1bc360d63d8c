// What magtool check finds in an unpacked issue folder itself: links that
// lead out of it, which pack and web refuse, and what pack leaves out.
// Warnings only.
#pragma once

#include <filesystem>

#include "magtool/check_report.h"

// Nothing for an archive.
void CheckFolderLinks(CheckReport& report, const std::filesystem::path& source);
