// An unpacked issue: a folder holding DATA/... as the archive holds its
// members. A path is found in it as in the archive, without regard to ASCII
// case, '\' and '/' alike; where the folder holds two names that differ only
// in case, the exact spelling wins, else the first in byte order, so that the
// answer never depends on the order the directory lists them in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The file under folder that path names (folder joined to the names found), or
// nothing when there is none or it is not a regular file.
std::optional<std::string> FindInIssueFolder(const std::string& folder, std::string_view path);

// Stamps for noticing a saved change: numbers that differ whenever the file
// (its identity, size or time of change) or, for a folder, any file under its
// DATA/ differs. Names beginning with '.' or ending with '~' (editors' swap and
// backup files) are passed over. 0 for what does not exist.
uint64_t FileStamp(const std::string& file);
uint64_t IssueFolderStamp(const std::string& folder);

// Whether the stamps pass a file or folder of this name over.
bool PassedOverName(std::string_view name);
