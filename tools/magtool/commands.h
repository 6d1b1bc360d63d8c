// The magtool commands. Each returns the process exit status and reports its
// problems on standard error.
#pragma once

#include <string>

// Packs every regular file under dir, named by its path relative to dir with
// '/' separators, in sorted name order; HUFF-packed where smaller unless store.
int PackCommand(const std::string& dir, const std::string& archive, bool store);

// One line per member in file order: name, size, stored size, huff or stored.
int ListCommand(const std::string& archive);

// Writes every member under destDir; refuses the whole archive when a name is
// absolute or has a ".." part.
int ExtractCommand(const std::string& archive, const std::string& destDir);

// Decodes every member and checks its size; status 1 at the first fault.
int VerifyCommand(const std::string& archive);
