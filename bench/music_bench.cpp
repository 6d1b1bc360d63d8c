#include <benchmark/benchmark.h>

namespace {
void BM_Placeholder(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(0);
}
}  // namespace

BENCHMARK(BM_Placeholder);
