// Opening an archive for the magtool commands that read one.
#pragma once

#include <string>
#include <vector>

#include "resources/archive_format.h"
#include "resources/file_ptr.h"

struct OpenedArchive {
  FilePtr file;
  int64_t length;
  std::vector<ResourceEntry> entries;  // file order
};

// False after reporting on standard error when the archive cannot be opened,
// is not a plain file, its headers are broken, it holds no member, or bytes
// are left after its last whole member (a cut header).
bool OpenArchiveFile(const std::string& path, OpenedArchive& archive);
