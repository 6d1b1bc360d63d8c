#include "music/module_file.h"

#include <libopenmpt/libopenmpt.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "resources/file_ptr.h"

namespace {

constexpr size_t MAX_MODULE_BYTES = size_t{64} << 20;  // far beyond any tracker module

std::optional<std::vector<uint8_t>> ReadBounded(const char* path) {
  FilePtr file = OpenFile(path, "rb");
  if (!file) return std::nullopt;
  std::vector<uint8_t> bytes;
  std::vector<uint8_t> chunk(size_t{1} << 16);
  size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
    if (bytes.size() + got > MAX_MODULE_BYTES) return std::nullopt;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(got));
  }
  if (std::ferror(file.get()) != 0) return std::nullopt;
  return bytes;
}

}  // namespace

void ModuleCloser::operator()(openmpt_module* module) const { openmpt_module_destroy(module); }

ModulePtr LoadModuleFile(const char* path) {
  if (path == nullptr) return nullptr;
  const std::optional<std::vector<uint8_t>> bytes = ReadBounded(path);
  if (!bytes || bytes->empty()) return nullptr;
  int error = 0;
  ModulePtr module(openmpt_module_create_from_memory2(
      bytes->data(), bytes->size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
      nullptr, &error, nullptr, nullptr));
  if (!module) return nullptr;
  openmpt_module_set_repeat_count(module.get(), 0);
  openmpt_module_ctl_set_integer(module.get(), "dither", 0);
  return module;
}
