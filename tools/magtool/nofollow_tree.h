// Files and folders below an open folder, reached one name at a time without
// following a symbolic link at any level, so that a link planted below the
// folder can never redirect a write elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/fd_handle.h"
#include "resources/file_ptr.h"

// Whether an existing part of the path below root (a folder on the way or the
// file itself) is a symbolic link. Parts that do not exist yet are not links.
bool PathHasLink(int root, const std::vector<std::string>& parts);

// The file at parts below root made anew, empty and open for writing, with
// the folders on the way. An existing plain file of that name is replaced,
// never written into, so that no hard link carries the write either; anything
// else there (a link, even to nothing) fails it, as does a link on the way.
FdHandle CreateFileBelow(int root, const std::vector<std::string>& parts);

// CreateFileBelow as a stdio stream; null when either fails.
FilePtr CreateStreamBelow(int root, const std::vector<std::string>& parts);

// Removes the file at parts below root, reached as CreateFileBelow reaches it.
void RemoveFileBelow(int root, const std::vector<std::string>& parts);

// Writes bytes as the file CreateFileBelow makes. False on any failure.
bool WriteFileBelow(int root, const std::vector<std::string>& parts,
                    const std::vector<uint8_t>& bytes);
