#include "magtool/web/tune_encoder.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "magtool/web/ogg_vorbis_writer.h"

namespace {

constexpr int BLOCK_FRAMES = 4096;

}  // namespace

std::string TuneModuleTitle(openmpt_module& module) {
  const char* title = openmpt_module_get_metadata(&module, "title");
  if (title == nullptr) return {};
  std::string text(title);
  openmpt_free_string(title);
  return text;
}

bool EncodeTune(openmpt_module& module, FilePtr out, const std::string& name,
                const std::string& title, double maxSeconds) {
  OggVorbisWriter writer(std::move(out), name, title, WEB_TUNE_QUALITY);
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
