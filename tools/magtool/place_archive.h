// The archive a magtool command reads an issue from: the archive it was
// given, or an unpacked issue folder packed into the command's workspace
// first, so that it is read as its archive will be.
#pragma once

#include <filesystem>

#include "magtool/commands.h"
#include "magtool/workspace.h"

// Empty, with the reason on standard error, when there is none to read. A
// folder is packed with options (how links and what is left out are met; an
// archive read only once is best stored, since packing it would only cost time).
std::filesystem::path PlaceArchive(const std::filesystem::path& source, const Workspace& work,
                                   const PackOptions& options);
