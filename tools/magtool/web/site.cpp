#include "magtool/web/site.h"

#include <cstdio>
#include <fstream>

#include "magtool/rgb_png.h"
#include "magtool/web/site_paths.h"
#include "resources/archive.h"
#include "resources/image_loader.h"
#include "resources/resource_file.h"

namespace fs = std::filesystem;

namespace {

// The file's place, its folders made; empty (with the fault noted) when
// they cannot be. After the first fault nothing more is written.
fs::path Place(Site& site, const std::string& name) {
  if (site.failed) return {};
  const fs::path file = site.out / name;
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  if (!error) return file;
  std::fprintf(stderr, "magtool: cannot make %s\n", file.parent_path().c_str());
  site.failed = true;
  return {};
}

// True the first time name is asked for.
bool FirstTime(Site& site, const std::string& name) { return site.written.insert(name).second; }

// "magtool: warning: KIND WHAT REST", once for each what.
void Warn(Site& site, const char* kind, const std::string& what, const char* rest) {
  if (!site.missing.insert(what).second) return;
  std::fprintf(stderr, "magtool: warning: %s%s %s\n", kind, what.c_str(), rest);
}

void Failed(Site& site, const fs::path& file) {
  std::fprintf(stderr, "magtool: cannot write %s\n", file.c_str());
  site.failed = true;
}

void Copy(Site& site, const fs::path& from, const std::string& name) {
  const fs::path file = Place(site, name);
  std::error_code error;
  if (!file.empty() && !fs::copy_file(from, file, fs::copy_options::overwrite_existing, error)) {
    Failed(site, file);
  }
}

}  // namespace

void WriteSiteFile(Site& site, const std::string& name, std::string_view text) {
  FirstTime(site, name);
  const fs::path file = Place(site, name);
  if (file.empty()) return;
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(text.data(), static_cast<std::streamsize>(text.size()));
  if (!stream.flush()) Failed(site, file);
}

std::string SitePicture(Site& site, const std::string& path, const Picture* image) {
  const std::string name = PictureName(path);
  if (!FirstTime(site, name)) return name;
  Picture loaded;
  if (image == nullptr) {
    const std::string member = path.substr(0, path.find('*'));
    if (!ResourceHas(member.c_str())) {
      Warn(site, "", member, "is not in the issue; its link is left out");
      site.written.erase(name);
      return {};
    }
    ImageLoader(member.c_str(), loaded);
    image = &loaded;
  }
  const fs::path file = Place(site, name);
  if (!file.empty() && !WriteKeyedPng(file, *image)) Failed(site, file);
  return name;
}

void SiteScreenPicture(Site& site, const std::string& name, const Picture& image) {
  FirstTime(site, name);
  const fs::path file = Place(site, name);
  if (!file.empty() && !WriteRgbPng(file, image, 32)) Failed(site, file);
}

void SiteMember(Site& site, const std::string& path, const std::string& name) {
  if (!FirstTime(site, name)) return;
  const ResourceFile member(path);
  Copy(site, member.name(), name);
}

std::string SiteDocument(Site& site, const std::string& argument) {
  const fs::path relative = fs::path(argument).lexically_normal();
  const std::string name = "files/" + SiteName(relative.generic_string());
  std::error_code error;
  const bool inside = !argument.empty() && relative.is_relative() && *relative.begin() != "..";
  if (!inside || !fs::is_regular_file(site.beside / relative, error)) {
    Warn(site, "EXE:", argument, "is not beside the issue; it is left unlinked");
    return {};
  }
  if (FirstTime(site, name)) Copy(site, site.beside / relative, name);
  return name;
}
