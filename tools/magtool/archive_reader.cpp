#include "magtool/archive_reader.h"

#include <cstdio>

bool OpenArchiveFile(const std::string& path, OpenedArchive& archive) {
  archive.file = OpenFile(path.c_str(), "rb");
  if (!archive.file) {
    std::fprintf(stderr, "magtool: %s: Cannot open resource file !\n", path.c_str());
    return false;
  }
  archive.length = ArchiveLength(archive.file.get());
  if (ReadResourceDirectory(archive.file.get(), archive.entries) != DirectoryResult::Ok) {
    std::fprintf(stderr, "magtool: %s: Broken resource file !\n", path.c_str());
    return false;
  }
  return true;
}
