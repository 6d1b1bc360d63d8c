// The site's folder, held open, so that every file and folder of the site is
// made below it one name at a time and never through a symbolic link planted
// there: a link in the way refuses the file, as extract refuses a member.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/fd_handle.h"
#include "resources/file_ptr.h"

struct SiteFolder {
  std::filesystem::path path;
  FdHandle fd;
};

// Makes the folder when missing and opens it; false when it cannot.
bool OpenSiteFolder(const std::filesystem::path& path, SiteFolder& folder);

// name ('/'-separated from the site's root) made anew for writing, the
// folders on the way made; null, with error naming the file, when it cannot.
FilePtr CreateSiteFile(const SiteFolder& folder, const std::string& name, std::string& error);

// The whole of name written as bytes; false, with error, when it was not.
bool WriteSiteBytes(const SiteFolder& folder, const std::string& name, std::string_view bytes,
                    std::string& error);

// name removed, reached as CreateSiteFile reaches it; for a file not written whole.
void RemoveSiteFile(const SiteFolder& folder, const std::string& name);
