#include "magtool/place_archive.h"

#include <cstdio>
#include <system_error>

#include "magtool/commands.h"
#include "resources/file_ptr.h"
#include "resources/reader_places.h"

namespace fs = std::filesystem;

fs::path PlaceArchive(const fs::path& source, const Workspace& work, const PackOptions& options) {
  std::error_code error;
  if (fs::is_directory(source, error)) {
    const fs::path packed = work.Folder() / RESOURCE_ARCHIVE_FILE;
    return PackCommand(source, packed, options) == 0 ? packed : fs::path();
  }
  if (fs::is_regular_file(source, error) && OpenFile(source.c_str(), "rb")) return source;
  std::fprintf(stderr, "magtool: cannot read %s\n", source.c_str());
  return {};
}
