#include <cstdio>

#include "magtool/archive_reader.h"
#include "magtool/commands.h"

int ListCommand(const std::string& path) {
  OpenedArchive archive;
  if (!OpenArchiveFile(path, archive)) return 1;
  for (const ResourceEntry& entry : archive.entries) {
    const ResourceHeader& h = entry.header;
    std::printf("%s\t%d\t%d\t%s\n", h.name, h.size, h.storedSize, h.packed ? "huff" : "stored");
  }
  return 0;
}
