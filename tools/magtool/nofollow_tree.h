// Files and folders below an open folder, reached one name at a time without
// following a symbolic link at any level, so that a link planted below the
// folder can never redirect a write elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whether an existing part of the path below root (a folder on the way or the
// file itself) is a symbolic link. Parts that do not exist yet are not links.
bool PathHasLink(int root, const std::vector<std::string>& parts);

// Writes bytes as the file at parts below root, making the folders on the
// way. An existing file of that name is replaced, never written into, so that
// no hard link carries the write either. False on any failure, a link on the
// way included.
bool WriteFileBelow(int root, const std::vector<std::string>& parts,
                    const std::vector<uint8_t>& bytes);
