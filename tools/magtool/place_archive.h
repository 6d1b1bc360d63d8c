// The archive a magtool command reads an issue from: the archive it was
// given, or an unpacked issue folder packed into the command's workspace
// first, so that it is read as its archive will be.
#pragma once

#include <filesystem>

#include "magtool/workspace.h"

// Empty, with the reason on standard error, when there is none to read.
std::filesystem::path PlaceArchive(const std::filesystem::path& source, const Workspace& work);
