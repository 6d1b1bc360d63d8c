// An unpacked issue: a folder holding DATA/... as the archive holds its
// members. A path is found in it as in the archive, without regard to ASCII
// case, '\' and '/' alike; where the folder holds two names that differ only
// in case, the exact spelling wins, else the first in byte order, so that the
// answer never depends on the order the directory lists them in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The file under folder that path names (folder joined to the names found), or
// nothing when there is none or it is not a regular file.
std::optional<std::string> FindInIssueFolder(const std::string& folder, std::string_view path);
