// Extraction speed of the resource archive: a 10 MB packed member taken out
// with ResourceOpen, as the reader does for a large module or picture.
#include <benchmark/benchmark.h>


#include <cstdlib>
#include <random>
#include <string>

#include "magtool/archive_writer.h"
#include "resources/archive.h"
#include "support/scratch_dir.h"


namespace {

// Bytes with the spread of a tracker module: long runs of a few values.
std::vector<uint8_t> ModuleLikeBytes(size_t size) {
  std::mt19937 random(11);
  std::geometric_distribution<int> geometric(0.15);
  std::vector<uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<uint8_t>(geometric(random));
  return bytes;
}

void BM_ResourceOpenPacked10MB(benchmark::State& state) {
  ScratchDir dir;
  std::vector<uint8_t> member = ModuleLikeBytes(10 << 20);
  std::string error;
  if (!WriteArchive("data.rs", {{"DATA/msx/big.xm", member}}, true, error)) std::abort();
  for (auto _ : state) {
    const char* name = ResourceOpen("DATA/msx/big.xm");
    benchmark::DoNotOptimize(name);
    ResourceClose(name);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(member.size()));
  ResourceCloseAll();
}
BENCHMARK(BM_ResourceOpenPacked10MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
