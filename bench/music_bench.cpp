// What the music costs: one second of 44.1 kHz stereo rendered through
// MixerRender in the audio callback's 1024-frame blocks, beside libopenmpt
// rendering the same second of the same module on its own with the same
// settings (the mixer's: no repeat, no dither) as the yardstick. Each
// iteration restarts the module.
//
// The module is the demo's busiest, "DATA/msx/tune2.xm" in the demo archive;
// while the archive has none, its largest DATA/msx/ member, and with no music
// in it at all the tiny test module (one looped square wave on one channel),
// which measures little more than the mixer's own overhead. The run's label
// names the module measured.
#include <benchmark/benchmark.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "music/module_mixer.h"
#include "resources/archive.h"
#include "resources/archive_format.h"
#include "resources/file_ptr.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

namespace {

constexpr int32_t kRate = 44100;
constexpr size_t kSecond = 44100;  // frames
constexpr size_t kBlock = 1024;

bool IsMusic(const std::string& name) { return name.rfind("DATA/msx/", 0) == 0; }

// The archive path of the module to measure, or empty when the demo has no music.
std::string BusiestMember() {
  FilePtr archive = OpenFile(RESOURCE_ARCHIVE_FILE, "rb");
  std::vector<ResourceEntry> entries;
  if (!archive || ReadResourceDirectory(archive.get(), entries) != DirectoryResult::Ok)
    std::abort();
  std::string largest;
  int32_t largestSize = -1;
  for (const ResourceEntry& entry : entries) {
    const std::string name = entry.header.name;
    if (name == "DATA/msx/tune2.xm") return name;
    if (IsMusic(name) && entry.header.size > largestSize) {
      largest = name;
      largestSize = entry.header.size;
    }
  }
  return largest;
}

// A scratch directory holding the module as a plain file.
class ModuleFile {
 public:
  ModuleFile() {
    std::filesystem::copy_file(DEMO_ARCHIVE, RESOURCE_ARCHIVE_FILE);
    member_ = BusiestMember();
    if (member_.empty()) {
      WriteFileBytes("tiny.mod", TinyModule(64));
      member_ = "tiny module";
      path_ = "tiny.mod";
    } else {
      path_ = ResourceOpen(member_.c_str());
    }
  }
  ~ModuleFile() { ResourceCloseAll(); }
  ModuleFile(const ModuleFile&) = delete;
  ModuleFile& operator=(const ModuleFile&) = delete;

  const std::string& path() const { return path_; }
  const std::string& member() const { return member_; }

 private:
  ScratchDir dir_;
  std::string member_;
  std::string path_;
};

void BM_MixerRenderOneSecond(benchmark::State& state) {
  ModuleFile file;
  const MixerHandle handle = MixerLoad(file.path().c_str());
  if (handle == 0 || MixerRate() != kRate) std::abort();  // the output stays closed
  std::vector<int16_t> block(2 * kBlock);
  for (auto _ : state) {
    MixerPlay(handle);
    for (size_t done = 0; done < kSecond; done += kBlock)
      MixerRender(block.data(), std::min(kBlock, kSecond - done));
    benchmark::DoNotOptimize(block.data());
  }
  MixerFree(handle);
  state.SetLabel(file.member());
}
BENCHMARK(BM_MixerRenderOneSecond)->Unit(benchmark::kMillisecond);

void BM_LibopenmptOneSecond(benchmark::State& state) {
  ModuleFile file;
  const std::vector<uint8_t> bytes = ReadFileBytes(file.path());
  std::unique_ptr<openmpt_module, decltype(&openmpt_module_destroy)> module(
      openmpt_module_create_from_memory2(bytes.data(), bytes.size(), openmpt_log_func_silent,
                                         nullptr, openmpt_error_func_ignore, nullptr, nullptr,
                                         nullptr, nullptr),
      openmpt_module_destroy);
  if (!module) std::abort();
  openmpt_module_set_repeat_count(module.get(), 0);
  openmpt_module_ctl_set_integer(module.get(), "dither", 0);
  std::vector<int16_t> block(2 * kBlock);
  for (auto _ : state) {
    openmpt_module_set_position_order_row(module.get(), 0, 0);
    for (size_t done = 0; done < kSecond; done += kBlock)
      openmpt_module_read_interleaved_stereo(module.get(), kRate, std::min(kBlock, kSecond - done),
                                             block.data());
    benchmark::DoNotOptimize(block.data());
  }
  state.SetLabel(file.member());
}
BENCHMARK(BM_LibopenmptOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace
