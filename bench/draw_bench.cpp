#include <benchmark/benchmark.h>

#include <random>

#include "pictures/draw.h"

namespace {

constexpr int32_t WIDTH = 640;
constexpr int32_t HEIGHT = 480;
constexpr int64_t PIXELS = int64_t{WIDTH} * HEIGHT;

// Random colours, with one pixel in eight the key 0 so that mode 2 branches.
Picture Noise(uint32_t seed) {
  Picture picture;
  PictureAlloc(picture, WIDTH, HEIGHT);
  std::mt19937 rng(seed);
  for (int64_t i = 0; i < PIXELS; ++i) {
    picture.pixels[i] = rng() % 8 == 0 ? 0 : rng() & 0xFFFFFF;
  }
  return picture;
}

void Report(benchmark::State& state, const Picture& picture) {
  benchmark::DoNotOptimize(picture.pixels);
  state.SetItemsProcessed(state.iterations() * PIXELS);
}

void BlitMode(benchmark::State& state, int mode, float alpha) {
  const Picture source = Noise(1);
  Picture dest = Noise(2);
  for (auto _ : state) {
    Blit(source, 0, 0, dest, mode, alpha);
    benchmark::ClobberMemory();
  }
  Report(state, dest);
}

// Argument: the copy option, 0 plain, 1 8-byte chunks, 2 SSE2 streaming.
void BM_BlitOpaque(benchmark::State& state) {
  const CopyMode saved = SetCopyMode(static_cast<CopyMode>(state.range(0)));
  BlitMode(state, DRAW_OPAQUE, 1.0f);
  SetCopyMode(saved);
}

void BM_BlitKeyed(benchmark::State& state) { BlitMode(state, DRAW_KEYED, 1.0f); }
void BM_BlitAlpha(benchmark::State& state) { BlitMode(state, DRAW_ALPHA, 0.5f); }

void BM_FillAlpha(benchmark::State& state) {
  Picture dest = Noise(3);
  for (auto _ : state) {
    FillRect(0, 0, 0, WIDTH, HEIGHT, dest, DRAW_ALPHA, 0.5f);
    benchmark::ClobberMemory();
  }
  Report(state, dest);
}

}  // namespace

BENCHMARK(BM_BlitOpaque)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_BlitKeyed);
BENCHMARK(BM_BlitAlpha);
BENCHMARK(BM_FillAlpha);

BENCHMARK_MAIN();
