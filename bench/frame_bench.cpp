// One whole reader frame on the demo's contents page at both screen depths,
// its presentation alone (whole, and unchanged), and a memcpy of the bytes such a frame puts on the
// screen as the yardstick.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "demo_engine.h"

namespace {

void BM_ContentsFrame(benchmark::State& state) {
  DemoEngine engine(static_cast<int>(state.range(0)));
  Reader& reader = engine.reader();
  // The first frame lays the page out and fills the glyph caches.
  EngineCommand(reader, ENGINE_FRAME);
  for (auto _ : state) EngineCommand(reader, ENGINE_FRAME);
}

// Conversion of the whole frame into the screen surface and SDL's flip, as
// after an expose or in a transition.
void BM_PresentFrame(benchmark::State& state) {
  DemoEngine engine(static_cast<int>(state.range(0)));
  Reader& reader = engine.reader();
  EngineCommand(reader, ENGINE_FRAME);
  for (auto _ : state) {
    ForceWholePresent(reader.Presentation);
    Present(reader);
  }
}

// A still page: the comparison with the frame last shown, and no flip.
void BM_PresentUnchanged(benchmark::State& state) {
  DemoEngine engine(static_cast<int>(state.range(0)));
  Reader& reader = engine.reader();
  EngineCommand(reader, ENGINE_FRAME);
  for (auto _ : state) Present(reader);
}

void BM_MemcpyScreen(benchmark::State& state) {
  std::vector<uint8_t> from(size_t{SCREEN_WIDTH} * SCREEN_HEIGHT * state.range(0), 1);
  std::vector<uint8_t> to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}

}  // namespace

// Arguments: bits per pixel of the screen, bytes per pixel of the copy.
BENCHMARK(BM_ContentsFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PresentFrame)->Arg(32)->Arg(16)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PresentUnchanged)->Arg(32)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MemcpyScreen)->Arg(4)->Arg(2)->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)->ReportAggregatesOnly(true);
