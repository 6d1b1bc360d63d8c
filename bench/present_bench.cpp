// Frame presentation: converting the 640x480 back buffer into screen
// surfaces of the three formats, against SDL's own blit of the same 32-bit
// picture onto a 565 surface and a plain memcpy of the frame's bytes.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/present.h"
#include "engine/video.h"

namespace {

Picture RandomFrame() {
  Picture frame{};
  PictureAlloc(frame, SCREEN_WIDTH, SCREEN_HEIGHT);
  std::mt19937 random(5);
  for (int i = 0; i < SCREEN_WIDTH * SCREEN_HEIGHT; ++i) frame.pixels[i] = random() & 0xFFFFFF;
  return frame;
}

void ConvertInto(benchmark::State& state, int bits, uint32_t r, uint32_t g, uint32_t b,
                 int32_t pixelMode) {
  Picture frame = RandomFrame();
  SDL_Surface* surface =
      SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, bits, r, g, b, 0);
  for (auto _ : state) {
    ConvertFrame(frame, surface, pixelMode);
    benchmark::DoNotOptimize(surface->pixels);
  }
  SDL_FreeSurface(surface);
}

void BM_Present32(benchmark::State& state) {
  ConvertInto(state, 32, 0xFF0000, 0xFF00, 0xFF, PIXEL_ARGB8888);
}
void BM_PresentRgb565(benchmark::State& state) {
  ConvertInto(state, 16, 0xF800, 0x7E0, 0x1F, PIXEL_RGB565);
}
void BM_PresentRgb555(benchmark::State& state) {
  ConvertInto(state, 15, 0x7C00, 0x3E0, 0x1F, PIXEL_RGB555);
}

void BM_SdlBlitTo565(benchmark::State& state) {
  Picture frame = RandomFrame();
  SDL_Surface* source = SDL_CreateRGBSurfaceFrom(frame.pixels, SCREEN_WIDTH, SCREEN_HEIGHT, 32,
                                                 SCREEN_WIDTH * 4, 0xFF0000, 0xFF00, 0xFF, 0);
  SDL_Surface* target =
      SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 16, 0xF800, 0x7E0, 0x1F, 0);
  for (auto _ : state) {
    SDL_BlitSurface(source, nullptr, target, nullptr);
    benchmark::DoNotOptimize(target->pixels);
  }
  SDL_FreeSurface(target);
  SDL_FreeSurface(source);
}

void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint8_t> from(SCREEN_WIDTH * SCREEN_HEIGHT * 4, 1), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}

}  // namespace

BENCHMARK(BM_Present32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentRgb565)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PresentRgb555)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SdlBlitTo565)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
