#include "magtool/web/site_folder.h"

#include <fcntl.h>

#include <system_error>
#include <vector>

#include "magtool/nofollow_tree.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Parts(const std::string& name) {
  std::vector<std::string> parts;
  for (const fs::path& part : fs::path(name)) parts.push_back(part.string());
  return parts;
}

}  // namespace

bool OpenSiteFolder(const fs::path& path, SiteFolder& folder) {
  std::error_code error;
  fs::create_directories(path, error);
  folder.path = path;
  folder.fd = FdHandle(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  return static_cast<bool>(folder.fd);
}

FilePtr CreateSiteFile(const SiteFolder& folder, const std::string& name, std::string& error) {
  const std::vector<std::string> parts = Parts(name);
  FilePtr file = CreateStreamBelow(folder.fd.get(), parts);
  if (file) return file;
  const std::string full = (folder.path / name).string();
  error = PathHasLink(folder.fd.get(), parts)
              ? full + ": refusing a name that passes through a link in " + folder.path.string()
              : "cannot write " + full;
  return nullptr;
}

bool WriteSiteBytes(const SiteFolder& folder, const std::string& name, std::string_view bytes,
                    std::string& error) {
  FilePtr file = CreateSiteFile(folder, name, error);
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  if (std::fclose(file.release()) == 0 && written) return true;
  error = "cannot write " + (folder.path / name).string();
  return false;
}

void RemoveSiteFile(const SiteFolder& folder, const std::string& name) {
  RemoveFileBelow(folder.fd.get(), Parts(name));
}
