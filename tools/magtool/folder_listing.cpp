#include "magtool/folder_listing.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <system_error>

#include "magtool/check_lines.h"

namespace fs = std::filesystem;

namespace {

// Both resolved, so that neither "..", a link on the way nor a second name
// of the folder can pass for inside.
bool Within(const fs::path& path, const fs::path& folder) {
  return std::mismatch(folder.begin(), folder.end(), path.begin(), path.end()).first ==
         folder.end();
}

void SortLink(const fs::path& path, const std::string& name, const fs::path& root,
              IssueFolder& found, std::error_code& error) {
  const fs::file_status target = fs::status(path, error);
  if (error.value() == ENOENT) {
    error.clear();
    found.leftOut.push_back({name, "a link to nothing"});
  } else if (error) {
    return;
  } else if (fs::is_directory(target)) {
    found.leftOut.push_back({name, "a link to a folder is not followed"});
  } else if (!fs::is_regular_file(target)) {
    found.leftOut.push_back({name, "not a regular file"});
  } else {
    const fs::path resolved = fs::canonical(path, error);
    if (!error) (Within(resolved, root) ? found.files : found.leaving).push_back(name);
  }
}

// Folders are entered by the walk itself.
void Sort(const fs::path& path, const std::string& name, const fs::path& root, IssueFolder& found,
          std::error_code& error) {
  const fs::file_status own = fs::symlink_status(path, error);
  if (error) return;
  if (fs::is_symlink(own)) {
    SortLink(path, name, root, found, error);
  } else if (fs::is_regular_file(own)) {
    found.files.push_back(name);
  } else if (!fs::is_directory(own)) {
    found.leftOut.push_back({name, "not a regular file"});
  }
}

}  // namespace

bool ListIssueFolder(const fs::path& dir, IssueFolder& found, std::string& error) {
  std::error_code fault;
  const fs::path root = fs::canonical(dir, fault);
  fs::path at = dir;
  for (fs::recursive_directory_iterator it(dir, fault), end; !fault && it != end;
       it.increment(fault)) {
    at = it->path();
    Sort(at, at.lexically_relative(dir).generic_string(), root, found, fault);
    if (fault) break;
  }
  if (fault) {
    error = at.string() + ": " + fault.message();
    return false;
  }
  std::sort(found.files.begin(), found.files.end());
  std::sort(found.leaving.begin(), found.leaving.end());
  return true;
}

bool LeadsOut(const fs::path& file, const fs::path& folder) {
  std::error_code fileError, folderError;
  const fs::path resolved = fs::canonical(file, fileError);
  const fs::path root = fs::canonical(folder, folderError);
  return fileError || folderError || !Within(resolved, root);
}

std::string OutsideData(const std::vector<std::string>& names) {
  static constexpr const char* DATA_FOLDERS[] = {"arts/", "configs/", "fonts/",
                                                 "msx/",  "panels/",  "pictures/"};
  std::set<std::string> keys;
  for (const std::string& name : names) keys.insert(MemberKey(name));
  for (const std::string& name : names) {
    const std::string key = MemberKey(name);
    for (const char* folder : DATA_FOLDERS) {
      if (key.starts_with(folder) && keys.count("data/" + key) == 0) return name;
    }
  }
  return {};
}
