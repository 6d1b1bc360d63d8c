// The files an unpacked issue folder offers for packing, found by walking it
// without opening any: its regular files and the links to regular files, by
// their path below the folder with '/' between the parts. A link is never
// followed into a folder; a link whose target lies outside the folder is set
// apart, so that no file of the editor's machine is packed unawares, and
// everything else left out is named with the reason, to be reported.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct LeftOut {
  std::string name;
  const char* why;
};

struct IssueFolder {
  std::vector<std::string> files;    // sorted, links that stay inside included
  std::vector<std::string> leaving;  // links to files outside the folder, sorted
  std::vector<LeftOut> leftOut;      // links to folders or to nothing, FIFOs, devices...
};

// False, with "PATH: reason", when a folder cannot be read or a link loops.
bool ListIssueFolder(const std::filesystem::path& dir, IssueFolder& found, std::string& error);

// A member such as "arts/index.art" whose "DATA/" twin is missing: the
// folder packed was DATA itself, and the reader would find none of its
// files. The first such name, or empty.
std::string OutsideData(const std::vector<std::string>& names);
constexpr const char* PACK_DATA_HINT = "pack the folder that holds DATA/, not DATA itself";

// Whether file, resolved, lies outside folder, resolved; so when either
// cannot be resolved.
bool LeadsOut(const std::filesystem::path& file, const std::filesystem::path& folder);
