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

// False after reporting on standard error when the archive cannot be opened
// or its headers are broken.
bool OpenArchiveFile(const std::string& path, OpenedArchive& archive);
