// The demo issue's tunes as the reader finds them in the packed archive: the
// list in configs/msx.txt, every module on it loading in libopenmpt as the
// format its name promises, playing once for 30 to 90 seconds and sounding
// without clipping, and every music link of the articles naming a listed tune.
#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "magtool/archive_reader.h"
#include "resources/archive.h"
#include "resources/byte_reader.h"
#include "support/scratch_dir.h"

namespace {

std::vector<uint8_t> ReadMember(const std::string& path) {
  const char* name = ResourceOpen(path.c_str());
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(ReadWholeFile(name, bytes)) << path;
  ResourceClose(name);
  return bytes;
}

// The count on the first line and the module paths after it.
struct TuneList {
  int count = 0;
  std::vector<std::string> paths;
};

TuneList ReadTuneList() {
  const std::vector<uint8_t> bytes = ReadMember("DATA/configs/msx.txt");
  std::istringstream text(std::string(bytes.begin(), bytes.end()));
  TuneList list;
  text >> list.count;
  for (std::string line; std::getline(text, line);) {
    line.erase(line.find_last_not_of(" \r\n\t") + 1);
    if (!line.empty()) list.paths.push_back(line);
  }
  return list;
}

using Module = std::unique_ptr<openmpt_module, decltype(&openmpt_module_destroy)>;

Module LoadModule(const std::vector<uint8_t>& bytes) {
  return {openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent, nullptr,
                                             nullptr, nullptr, nullptr, nullptr, nullptr),
          openmpt_module_destroy};
}

std::string Metadata(openmpt_module* module, const char* key) {
  const char* value = openmpt_module_get_metadata(module, key);
  std::string copy = value ? value : "";
  openmpt_free_string(value);
  return copy;
}

struct Loudness {
  int peak = 0;
  double rms = 0.0;
};

// The whole tune, played once at 44.1 kHz stereo.
Loudness Render(openmpt_module* module) {
  std::vector<int16_t> block(2 * 4096);
  Loudness loudness;
  double sum = 0.0;
  size_t samples = 0;
  while (const size_t frames = openmpt_module_read_interleaved_stereo(module, 44100, 4096, block.data())) {
    for (size_t i = 0; i < 2 * frames; ++i) {
      loudness.peak = std::max(loudness.peak, std::abs(static_cast<int>(block[i])));
      sum += static_cast<double>(block[i]) * block[i];
    }
    samples += 2 * frames;
  }
  loudness.rms = samples ? std::sqrt(sum / static_cast<double>(samples)) : 0.0;
  return loudness;
}

class DemoMusic : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs"); }
  void TearDown() override { ResourceCloseAll(); }
  ScratchDir dir_;
};

TEST_F(DemoMusic, ListCountMatchesItsModules) {
  const TuneList list = ReadTuneList();
  EXPECT_EQ(list.count, static_cast<int>(list.paths.size()));
  // The TUNE buttons play entries 0 to 3; the opening tune comes after them.
  const std::vector<std::string> expected = {"DATA/msx/tune1.xm", "DATA/msx/tune2.xm", "DATA/msx/tune3.mod",
                                             "DATA/msx/tune4.s3m", "DATA/msx/beg.xm"};
  EXPECT_EQ(list.paths, expected);
}

TEST_F(DemoMusic, EveryListedModuleLoadsAndPlaysOnceUnclipped) {
  int busiest = 0;
  std::string busiestPath;
  for (const std::string& path : ReadTuneList().paths) {
    SCOPED_TRACE(path);
    const Module module = LoadModule(ReadMember(path));
    ASSERT_TRUE(module);
    EXPECT_EQ(Metadata(module.get(), "type"), std::filesystem::path(path).extension().string().substr(1));
    const double seconds = openmpt_module_get_duration_seconds(module.get());
    EXPECT_GE(seconds, 30.0);
    EXPECT_LE(seconds, 90.0);
    const int channels = openmpt_module_get_num_channels(module.get());
    EXPECT_GE(channels, 4);
    if (channels > busiest) busiest = channels, busiestPath = path;
    const Loudness loudness = Render(module.get());
    EXPECT_GT(loudness.rms, 500.0);
    EXPECT_LT(loudness.peak, 32000);
  }
  // The benchmark renders tune2 as the heaviest load.
  EXPECT_EQ(busiestPath, "DATA/msx/tune2.xm");
}

TEST_F(DemoMusic, EveryMusicLinkNamesAListedModule) {
  const std::vector<std::string> paths = ReadTuneList().paths;
  OpenedArchive archive;
  ASSERT_TRUE(OpenArchiveFile("data.rs", archive));
  const std::regex link("MSX:([^:#]+)");
  int links = 0;
  for (const ResourceEntry& entry : archive.entries) {
    const std::string name = entry.header.name;
    if (!name.ends_with(".art")) continue;
    const std::vector<uint8_t> bytes = ReadMember(name);
    const std::string text(bytes.begin(), bytes.end());
    for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it, ++links) {
      const std::string target = (*it)[1];
      const bool listed = std::find(paths.begin(), paths.end(), target) != paths.end();
      EXPECT_TRUE(listed || target == "+SILENCE" || target == "+PLIST") << name << ": " << target;
    }
  }
  EXPECT_GT(links, 0);
}

}  // namespace
