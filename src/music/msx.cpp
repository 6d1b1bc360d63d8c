#include "music/msx.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "base/setup_config.h"
#include "music/msx_backend.h"
#include "resources/resource_file.h"

namespace {

constexpr const char* LIST_PATH = "DATA/configs/msx.txt";
constexpr const char* PLAYLIST = "+PLIST";
constexpr const char* INTERNAL_ERROR = "Internal error !";
constexpr int32_t MAX_MODULES = 1024;

struct ModuleList {
  int32_t active = 0;
  std::vector<std::string> names;
  int32_t index = 0;  // the starting tune may lie outside the list until the first step
  std::string current;
  int32_t listMode = 0;
  int32_t paused = 0;
  const MsxBackend* backend = nullptr;
};

const MsxBackend* chosenBackend = nullptr;

ModuleList& List() {
  static ModuleList list;
  return list;
}

// The list's error message, or null with names filled.
const char* ParseList(FILE* file, std::vector<std::string>& names) {
  // A long line is cut, so that it never spills into the next entry.
  std::optional<WholeLine> line = ReadWholeLine(file, PATH_MAX_CHARS);
  if (!line) return INTERNAL_ERROR;
  const std::optional<int32_t> count = ParseInt(line->text);
  if (!count && !IntTooBig(line->text)) return INTERNAL_ERROR;
  if (!count || *count < 1 || *count > MAX_MODULES) return "MSX range error !";
  names.reserve(static_cast<size_t>(*count));
  for (int32_t i = 0; i < *count; ++i) {
    if (!(line = ReadWholeLine(file, PATH_MAX_CHARS))) return INTERNAL_ERROR;
    names.push_back(ListName(line->text));
  }
  return nullptr;
}

void ReadList(ModuleList& list) {
  if (const char* error = MsxReadList(list.names)) FatalError(error);
}

void PlayName(ModuleList& list, const char* name) {
  list.listMode = 0;
  std::string wanted(name, strnlen(name, PATH_MAX_CHARS));
  if (StrCaseCompare(wanted.c_str(), list.current.c_str()) == 0) return;
  list.current = std::move(wanted);
  list.backend->Play(name);
}

// Wide arithmetic, so that a starting tune at either end of int32_t steps
// without overflow.
void PlayEntry(ModuleList& list, int64_t i) {
  const auto count = static_cast<int64_t>(list.names.size());
  list.index = static_cast<int32_t>(std::abs(i % count));
  MsxPlay(list.names[static_cast<size_t>(list.index)].c_str());
}

int64_t NextEntry(const ModuleList& list) {
  const int64_t i = int64_t{list.index} + 1;
  return i >= static_cast<int64_t>(list.names.size()) ? 0 : i;
}

}  // namespace

// The list is given back before its error is reported.
const char* MsxReadList(std::vector<std::string>& names) {
  const ResourceFile source(LIST_PATH);
  const FilePtr file = source.OpenText();
  return file ? ParseList(file.get(), names) : "Cannot open modules list !";
}

void MsxUseBackend(const MsxBackend* backend) { chosenBackend = backend; }

void MsxInit(const SetupConfig& setup) {
  ModuleList& list = List();
  list = ModuleList{};
  if (!setup.UseMsxPlayer) return;
  ReadList(list);
  list.backend = chosenBackend;
  if (list.backend == nullptr) list.backend = setup.PlayerIsBass ? &BassBackend() : &FmodBackend();
  list.active = 1;
  list.backend->Init(setup.MsxQuality);
  list.index = setup.StartingTune;
}

void MsxPlay(const char* name) {
  ModuleList& list = List();
  if (!list.active) return;
  if (std::strcmp(name, PLAYLIST) != 0) {
    PlayName(list, name);
    return;
  }
  list.index = 0;
  PlayName(list, list.names[0].c_str());
  list.listMode = 1;
}

void MsxNext() {
  ModuleList& list = List();
  if (list.active) PlayEntry(list, NextEntry(list));
}

void MsxPrev() {
  ModuleList& list = List();
  if (!list.active) return;
  const int64_t i = int64_t{list.index} - 1;
  PlayEntry(list, i < 0 ? static_cast<int64_t>(list.names.size()) - 1 : i);
}

void MsxPlayIndex(int32_t n) {
  ModuleList& list = List();
  if (list.active) PlayEntry(list, n);
}

void MsxPauseToggle() {
  ModuleList& list = List();
  if (!list.active) return;
  list.paused = !list.paused;
  if (list.paused) {
    list.backend->Stop();
  } else {
    list.backend->Resume();
  }
}

// The finished module is forgotten first, so that a list of one module, or
// the same module twice in a row, plays again instead of falling silent.
void MsxPoll() {
  ModuleList& list = List();
  if (!list.active || !list.listMode || list.backend->Finished() != 1) return;
  list.current.clear();
  PlayEntry(list, NextEntry(list));
  list.listMode = 1;
}

void MsxShutdown() {
  ModuleList& list = List();
  list.names = {};
  if (!list.active) return;
  list.active = 0;
  list.backend->Shutdown();
}
