#include "magtool/web/web_music.h"

#include <cctype>
#include <set>

#include "engine/covers.h"
#include "magtool/check_lines.h"
#include "magtool/web/tune_encoder.h"
#include "music/msx.h"
#include "resources/resource_file.h"

namespace fs = std::filesystem;

namespace {

std::string BaseName(const std::string& member) {
  const size_t slash = member.find_last_of("/\\");
  return slash == std::string::npos ? member : member.substr(slash + 1);
}

// Trackers pad their titles with blanks.
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// NAME of music/NAME.ogg: the module's file name without its extension, in
// characters every web server and file system takes, unique without regard
// to case.
std::string SiteName(const std::string& member, std::set<std::string>& taken) {
  std::string stem = BaseName(member);
  stem = stem.substr(0, stem.find_last_of('.'));
  for (char& c : stem) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') c = '_';
  }
  if (stem.empty()) stem = "tune";
  std::string name = stem;
  for (int n = 2; !taken.insert(MemberKey(name)).second; ++n) name = stem + "-" + std::to_string(n);
  return name;
}

// The index of member among tunes, added when new.
size_t AddTune(WebMusic& music, const std::string& member) {
  for (size_t i = 0; i < music.tunes.size(); ++i) {
    if (MemberKey(music.tunes[i].member) == MemberKey(member)) return i;
  }
  music.tunes.push_back({member, {}, {}});
  return music.tunes.size() - 1;
}

std::optional<std::string> Collect(const std::vector<std::string>& links, WebMusic& music) {
  std::vector<std::string> list;
  if (const char* error = MsxReadList(list)) return std::string("DATA/configs/msx.txt: ") + error;
  for (const std::string& member : list) music.playlist.push_back(AddTune(music, member));
  AddTune(music, COVER_TUNE);
  for (const std::string& link : links) {
    if (link != "+SILENCE" && link != "+PLIST") AddTune(music, link);
  }
  return std::nullopt;
}

ModulePtr Load(const WebTune& tune) {
  const ResourceFile file(tune.member);
  return LoadModuleFile(file.name());
}

}  // namespace

std::optional<std::string> WriteWebMusic(const SiteFolder& site,
                                         const std::vector<std::string>& links, WebMusic& music) {
  music = {};
  if (auto error = Collect(links, music)) return error;
  std::set<std::string> taken;
  for (WebTune& tune : music.tunes) {
    const ModulePtr module = Load(tune);
    if (!module) return tune.member + ": not a module that can be played";
    tune.title = Trimmed(TuneModuleTitle(*module));
    if (tune.title.empty()) tune.title = BaseName(tune.member);
    tune.file = "music/" + SiteName(tune.member, taken) + ".ogg";
  }
  for (const WebTune& tune : music.tunes) {
    std::string error;
    FilePtr file = CreateSiteFile(site, tune.file, error);
    if (!file) return error;
    const ModulePtr module = Load(tune);
    const std::string name = fs::path(tune.file).filename().string();
    if (!module || !EncodeTune(*module, std::move(file), name, tune.title, WEB_TUNE_MAX_SECONDS)) {
      RemoveSiteFile(site, tune.file);
      return (site.path / tune.file).string() + ": cannot be written";
    }
  }
  return std::nullopt;
}
