#include "resources/resource_file.h"

#include <utility>

#include "resources/archive.h"

ResourceFile::ResourceFile(const char* path) : name_(ResourceOpen(path)) {}

ResourceFile::ResourceFile(ResourceFile&& other) noexcept
    : name_(std::move(other.name_)), held_(std::exchange(other.held_, false)) {}

void ResourceFile::Close() {
  if (held_ && ResourceArchiveIsOpen()) ResourceClose(name_.c_str());
  held_ = false;
}

std::string ResourceFile::Release() {
  held_ = false;
  return name_;
}
