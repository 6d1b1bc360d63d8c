#include "resources/reader_places.h"

std::string InReaderFolder(const ReaderPlaces& places, std::string_view name) {
  std::string path = places.folder;
  if (!path.empty() && path.back() != '/') path += '/';
  return path.append(name);
}
