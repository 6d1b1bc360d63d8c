#include "magtool/web/site.h"

#include <cstdio>
#include <vector>

#include "magtool/folder_listing.h"
#include "magtool/rgb_png.h"
#include "magtool/web/site_paths.h"
#include "pictures/image_loader.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"

namespace fs = std::filesystem;

namespace {

// True the first time name is asked for.
bool FirstTime(Site& site, const std::string& name) { return site.written.insert(name).second; }

// "magtool: warning: KIND WHAT REST", once for each what.
void Warn(Site& site, const char* kind, const std::string& what, const char* rest) {
  if (!site.missing.insert(what).second) return;
  std::fprintf(stderr, "magtool: warning: %s%s %s\n", kind, what.c_str(), rest);
}

// After the first fault nothing more is written.
void Failed(Site& site, const std::string& error) {
  std::fprintf(stderr, "magtool: %s\n", error.c_str());
  site.failed = true;
}

void WriteBytes(Site& site, const std::string& name, std::string_view bytes) {
  std::string error;
  if (!site.failed && !WriteSiteBytes(site.out, name, bytes, error)) Failed(site, error);
}

void Copy(Site& site, const fs::path& from, const std::string& name) {
  std::vector<uint8_t> bytes;
  if (site.failed) return;
  if (!ReadWholeFile(from.c_str(), bytes)) return Failed(site, "cannot read " + from.string());
  WriteBytes(site, name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

// A PNG written by write into the stream it is given.
template <typename WritePng>
void WritePicture(Site& site, const std::string& name, const WritePng& write) {
  std::string error;
  FilePtr file = site.failed ? nullptr : CreateSiteFile(site.out, name, error);
  if (file && !write(std::move(file))) error = "cannot write " + (site.out.path / name).string();
  if (!error.empty()) Failed(site, error);
}

}  // namespace

void WriteSiteFile(Site& site, const std::string& name, std::string_view text) {
  FirstTime(site, name);
  WriteBytes(site, name, text);
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
  WritePicture(site, name, [&](FilePtr file) { return WriteKeyedPng(std::move(file), *image); });
  return name;
}

std::string SiteIcon(Site& site) {
  constexpr const char* ICON = "DATA/panels/icon.bmp";
  if (!ResourceHas(ICON)) return {};
  const ResourceFile member(ICON);
  Picture icon{};
  if (!LoadBmp(member.name(), icon)) {
    Warn(site, "", ICON, "cannot be read as a BMP; the pages have no icon");
    return {};
  }
  SiteScreenPicture(site, "icon.png", icon);
  PictureFree(icon);
  return "icon.png";
}

void SiteScreenPicture(Site& site, const std::string& name, const Picture& image) {
  FirstTime(site, name);
  WritePicture(site, name, [&](FilePtr file) { return WriteRgbPng(std::move(file), image, 32); });
}

void SiteKeyedPicture(Site& site, const std::string& name, const Picture& image) {
  FirstTime(site, name);
  WritePicture(site, name, [&](FilePtr file) { return WriteKeyedPng(std::move(file), image); });
}

void SiteFile(Site& site, const fs::path& from, const std::string& name) {
  if (FirstTime(site, name)) Copy(site, from, name);
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
  if (!site.followLinks && LeadsOut(site.beside / relative, site.beside)) {
    Failed(site, (site.beside / relative).string() + ": refusing a link that leads out of " +
                     site.beside.string() + " (--follow-links)");
    return {};
  }
  if (FirstTime(site, name)) Copy(site, site.beside / relative, name);
  return name;
}
