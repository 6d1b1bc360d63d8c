#include "magtool/web/tune_encoder.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "magtool/web/ogg_vorbis_writer.h"
#include "resources/file_ptr.h"

namespace {

constexpr size_t MAX_MODULE_BYTES = size_t{64} << 20;  // as the reader's mixer takes
constexpr int BLOCK_FRAMES = 4096;

std::vector<char> ReadBounded(const char* path) {
  const FilePtr file = OpenFile(path, "rb");
  std::vector<char> bytes;
  if (!file) return bytes;
  std::vector<char> chunk(size_t{1} << 16);
  size_t got = 0;
  while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0) {
    if (bytes.size() + got > MAX_MODULE_BYTES) return {};
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<ptrdiff_t>(got));
  }
  return std::ferror(file.get()) != 0 ? std::vector<char>{} : bytes;
}

}  // namespace

void ModuleCloser::operator()(openmpt_module* module) const { openmpt_module_destroy(module); }

ModulePtr LoadTuneModule(const char* path) {
  const std::vector<char> bytes = ReadBounded(path);
  if (bytes.empty()) return nullptr;
  int error = 0;
  ModulePtr module(openmpt_module_create_from_memory2(
      bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr, openmpt_error_func_ignore,
      nullptr, &error, nullptr, nullptr));
  if (!module) return nullptr;
  // Played once and undithered, as the reader plays it.
  openmpt_module_set_repeat_count(module.get(), 0);
  openmpt_module_ctl_set_integer(module.get(), "dither", 0);
  return module;
}

std::string TuneModuleTitle(openmpt_module& module) {
  const char* title = openmpt_module_get_metadata(&module, "title");
  if (title == nullptr) return {};
  std::string text(title);
  openmpt_free_string(title);
  return text;
}

bool EncodeTune(openmpt_module& module, const std::filesystem::path& out, const std::string& title,
                double maxSeconds) {
  OggVorbisWriter writer(out, title, WEB_TUNE_QUALITY);
  auto left = static_cast<int64_t>(std::ceil(maxSeconds * WEB_AUDIO_RATE));
  while (writer.Ok() && left > 0) {
    const int want = static_cast<int>(std::min<int64_t>(left, BLOCK_FRAMES));
    float** channels = writer.Buffer(want);
    const size_t got = openmpt_module_read_float_stereo(
        &module, WEB_AUDIO_RATE, static_cast<size_t>(want), channels[0], channels[1]);
    if (got == 0) break;  // the module's end
    writer.Wrote(static_cast<int>(got));
    left -= static_cast<int64_t>(got);
  }
  return writer.Finish();
}
