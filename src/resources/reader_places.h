// Where a reader finds its issue and keeps its own files: the archive's path
// or an unpacked issue's folder (which holds DATA/...), and the folder that takes the files the
// reader writes (setup file, history, saved texts, search pages, unpacked members) and holds the
// plain files answered for paths the archive lacks. By default the current directory's "data.rs"
// and the current directory itself, as the reader has always run.
#pragma once

#include <string>
#include <string_view>

constexpr const char* RESOURCE_ARCHIVE_FILE = "data.rs";

struct ReaderPlaces {
  std::string archive = RESOURCE_ARCHIVE_FILE;
  std::string folder = {};       // empty: the current directory
  std::string issueFolder = {};  // when set, members are read from here, not the archive
};

// name (a bare file name) inside places' folder.
std::string InReaderFolder(const ReaderPlaces& places, std::string_view name);
