// A member handed out by the archive (archive.h), given back when it goes out
// of scope: also on a fatal path whose handler throws, so that an extracted
// temporary file is removed then. Closing the archive takes every member with
// it; one given back after that is no error.
#pragma once

#include <string>

#include "resources/file_ptr.h"
#include "resources/text_file.h"

class ResourceFile {
 public:
  explicit ResourceFile(const char* path);
  explicit ResourceFile(const std::string& path) : ResourceFile(path.c_str()) {}
  ResourceFile(ResourceFile&& other) noexcept;
  ResourceFile(const ResourceFile&) = delete;
  ResourceFile& operator=(const ResourceFile&) = delete;
  ResourceFile& operator=(ResourceFile&&) = delete;
  ~ResourceFile() { Close(); }

  // The plain file holding the member's bytes.
  const char* name() const { return name_.c_str(); }

  // The file opened for reading; null when it cannot be.
  FilePtr Open() const { return OpenFile(name_.c_str(), "rb"); }

  // The member opened as text (see text_file.h); null when it cannot be.
  FilePtr OpenText() const { return OpenTextFile(name_.c_str()); }

  // Gives the member back now, before what follows (a second call does nothing).
  void Close();

  // The name, to be given back with ResourceClose by a longer-lived owner.
  std::string Release();

 private:
  std::string name_;
  bool held_ = true;
};
