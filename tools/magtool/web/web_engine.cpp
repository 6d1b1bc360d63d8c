#include "magtool/web/web_engine.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>

#include "base/text_encoding.h"
#include "magtool/web/site_paths.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* ENGINE_FILES[] = {"read.html", "read.js", "read.css", "diskmag.js",
                                        "diskmag.wasm"};

bool HoldsEngine(const fs::path& folder) {
  std::error_code error;
  for (const char* name : ENGINE_FILES) {
    if (!fs::is_regular_file(folder / name, error)) return false;
  }
  return true;
}

}  // namespace

bool EngineFileName(std::string_view name) {
  if (name == "data.rs") return true;
  for (const char* file : ENGINE_FILES) {
    if (name == file) return true;
  }
  return false;
}

fs::path FindWebEngine() {
  const char* chosen = std::getenv("DISKMAG_WEB_ENGINE");
  if (chosen != nullptr && *chosen != '\0') {
    return HoldsEngine(chosen) ? fs::path(chosen) : fs::path();
  }
  std::error_code error;
  const fs::path prefix = fs::read_symlink("/proc/self/exe", error).parent_path().parent_path();
  if (error) return {};
  for (const fs::path& folder : {prefix / "web-engine", prefix / "share/diskmag/web"}) {
    if (HoldsEngine(folder)) return folder;
  }
  return {};
}

void WriteWebEngine(Site& site, const fs::path& folder, const fs::path& archive) {
  for (const char* name : ENGINE_FILES) SiteFile(site, folder / name, name);
  SiteFile(site, archive, "data.rs");
  site.engine = true;
}

std::string EngineLink(std::string_view page, std::string_view articlePath) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string link = Relative(page, "read.html") + "?start=";
  for (const unsigned char c : Utf8FromWindows1252(articlePath)) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
    if (plain) {
      link += static_cast<char>(c);
    } else {
      link += {'%', HEX[c >> 4], HEX[c & 15]};
    }
  }
  return link;
}
