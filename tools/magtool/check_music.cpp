#include "magtool/check_music.h"

#include <cstdint>

#include "base/integer_reader.h"
#include "engine/covers.h"
#include "magtool/check_lines.h"
#include "music/module_mixer.h"
#include "music/msx.h"
#include "music/msx_backend.h"
#include "resources/resource_file.h"

namespace {

constexpr const char* LIST_PATH = "DATA/configs/msx.txt";
constexpr const char* LOAD_ERROR = "Can't play the file - open/load/format error (BASS)!";

// Lets MsxInit read the list without a sound output.
constexpr MsxBackend SILENT_PLAYER = {
    [](int32_t) {}, [](const char*) {}, [] {}, [] {}, [] { return int32_t{0}; }, [] {},
};

bool Loads(const std::string& path) {
  const MixerHandle handle = MixerLoad(ResourceFile(path).name());
  if (handle == 0) return false;
  MixerFree(handle);
  return true;
}

// The list as MsxInit reads it; its entries are checked when it reads whole.
void CheckList(CheckReport& report, ModuleCheck& modules) {
  MsxUseBackend(&SILENT_PLAYER);
  SetupConfig setup;
  SetupDefaults(setup);  // music on, whatever the setup file says
  const bool read = Attempt(report, {LIST_PATH}, [&] { MsxInit(setup); });
  MsxShutdown();
  MsxUseBackend(nullptr);
  std::optional<std::vector<MemberLine>> lines;
  if (!read || RunStep([&] { lines = ReadMemberLines(LIST_PATH, 0); }) || !lines ||
      lines->empty()) {
    return;
  }
  const int32_t count = ParseInt((*lines)[0].text).value_or(0);  // read whole: 1 to 1024
  for (int32_t i = 1; i <= count && i < static_cast<int32_t>(lines->size()); ++i) {
    const MemberLine& entry = (*lines)[static_cast<size_t>(i)];
    modules.Check(report, {LIST_PATH, entry.line}, ListEntry(entry.text));
  }
}

}  // namespace

void ModuleCheck::Check(CheckReport& report, const CheckSite& site, const std::string& name) {
  if (name == "+SILENCE" || name == "+PLIST") return;
  auto [it, added] = seen_.try_emplace(MemberKey(name), Status::Loads);
  if (added) {
    bool loads = false;
    const auto error = RunStep([&] { loads = Loads(name); });
    if (error) {
      report.Add({name}, *error);
      it->second = Status::Broken;
    } else if (!loads) {
      it->second = MemberExists(name) ? Status::Broken : Status::Missing;
      if (it->second == Status::Broken) report.Add({name}, LOAD_ERROR);
    } else {
      ++report.modules;
    }
  }
  if (it->second == Status::Missing) report.Add(site, StepFailure{LOAD_ERROR, name, {}});
}

void CheckMusic(CheckReport& report, ModuleCheck& modules) {
  CheckList(report, modules);
  modules.Check(report, {COVER_TUNE}, COVER_TUNE);
}
