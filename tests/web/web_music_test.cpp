// The tunes for the web: every module once, as Ogg Vorbis that
// decodes to the module's own length and is heard; a module or list that
// fails is named before anything is written; a long module is cut.
#include "magtool/web/web_music.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "magtool/web/tune_encoder.h"
#include "resources/archive.h"
#include "resources/resource_file.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace fs = std::filesystem;

namespace {

struct Decoded {
  double seconds = -1;
  double rms = 0;  // of full scale
};

Decoded Decode(const fs::path& path) {
  OggVorbis_File ogg;
  if (ov_fopen(path.c_str(), &ogg) != 0) return {};
  Decoded decoded{ov_time_total(&ogg, -1), 0};
  std::vector<char> buffer(size_t{1} << 15);
  double sum = 0, count = 0;
  int section = 0;
  for (long got; (got = ov_read(&ogg, buffer.data(), int(buffer.size()), 0, 2, 1, &section)) > 0;) {
    for (long i = 0; i + 1 < got; i += 2, ++count) {
      int16_t sample;
      std::memcpy(&sample, &buffer[size_t(i)], 2);
      sum += double(sample) * sample;
    }
  }
  ov_clear(&ogg);
  decoded.rms = count > 0 ? std::sqrt(sum / count) / 32768 : 0;
  return decoded;
}

SiteFolder Opened(const fs::path& path) {
  SiteFolder folder;
  OpenSiteFolder(path, folder);
  return folder;
}

// The demo archive, and the scratch folder for other names.
class WebMusicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResourceUsePlaces({DEMO_ARCHIVE, dir.path()});
    WriteFileBytes(dir.File("tiny.mod"), TinyModule(8));
  }
  void TearDown() override {
    ResourceCloseAll();
    ResourceUsePlaces({});
  }
  ScratchDir dir{nullptr, ScratchDir::STAY};
  fs::path site = dir.File("site");
  SiteFolder folder = Opened(site);
};

}  // namespace

TEST_F(WebMusicTest, EveryTuneOnceAtItsOwnLengthAndHeard) {
  WebMusic music;
  ASSERT_EQ(WriteWebMusic(folder, {"data\\MSX\\TUNE2.XM", "+SILENCE", "+PLIST", "tiny.mod"}, music),
            std::nullopt);
  EXPECT_EQ(music.playlist, (std::vector<size_t>{0, 1, 2, 3, 4}));  // beg.xm is on the demo's list
  ASSERT_EQ(music.tunes.size(), 6u);
  EXPECT_EQ(music.tunes[5].title, "tiny.mod") << "a module without a title";
  for (const WebTune& tune : music.tunes) {
    const ModulePtr module = LoadModuleFile(ResourceFile(tune.member).name());
    const double length = openmpt_module_get_duration_seconds(module.get());
    const Decoded decoded = Decode(site / tune.file);
    EXPECT_NEAR(decoded.seconds, std::min(length, WEB_TUNE_MAX_SECONDS), 2.0) << tune.file;
    EXPECT_GT(decoded.rms, 0.01) << tune.file;
    if (tune.member != "tiny.mod") {
      EXPECT_EQ(tune.title, TuneModuleTitle(*module));
    }
  }
}

TEST_F(WebMusicTest, AFailingListOrModuleIsNamedBeforeAnythingIsWritten) {
  WriteFileText(dir.File("broken.xm"), "Extended Module: not really");
  WriteFileText(dir.File("empty.txt"), "0\n");
  struct Row {
    const char* list;  // a file to read as the music list, or null
    const char* link;
    const char* error;
  } rows[] = {
      {nullptr, "broken.xm", "broken.xm: not a module that can be played"},
      {nullptr, "DATA/msx/none.xm", "DATA/msx/none.xm: not a module"},
      {"empty.txt", "tiny.mod", "DATA/configs/msx.txt: MSX range error !"},
  };
  for (const Row& row : rows) {
    if (row.list) ResourceRedirect("DATA/configs/msx.txt", dir.File(row.list));
    WebMusic music;
    const auto error = WriteWebMusic(folder, {row.link}, music);
    EXPECT_NE(error.value_or("").find(row.error), std::string::npos)
        << row.link << ": " << error.value_or("");
    EXPECT_FALSE(fs::exists(site / "music")) << row.link;
  }
}

TEST_F(WebMusicTest, ALongModuleIsCut) {
  const ModulePtr module = LoadModuleFile(dir.File("tiny.mod").c_str());  // 0.96 s
  ASSERT_TRUE(EncodeTune(*module, OpenFile((site.string() + ".ogg").c_str(), "wb"), "t", "tiny", 0.5));
  EXPECT_NEAR(Decode(site.string() + ".ogg").seconds, 0.5, 0.05);
}
