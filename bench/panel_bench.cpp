// A busy panel's chrome, drawn once per frame: strips, AniChains, buttons
// with the mouse over an animated one, the progress bar and the title box.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/clock.h"
#include "engine/panel_list.h"
#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/scratch_dir.h"
#include "widgets/panel.h"

namespace {

constexpr int WIDTH = 640, HEIGHT = 480;
constexpr int BUTTON_W = 64, BUTTON_H = 32, BUTTONS = 12, FRAMES = 8;
constexpr int CHAIN_SIZE = 48, CHAINS = 6;

uint32_t benchNow = 1000;
uint32_t FrameClock() { return benchNow += 16; }  // one call per frame at ~60 Hz

// Random colours with one pixel in eight the key 0.
void WriteNoise(const std::string& path, int width, int height, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  for (uint32_t& pixel : pixels) pixel = random() % 8 == 0 ? 0 : random() & 0xFFFFFF;
  WritePng(path, width, height, pixels);
}

std::string WriteFrames(const std::string& prefix, int width, int height) {
  std::string list;
  for (int i = 0; i < FRAMES; ++i) {
    const std::string name = prefix + std::to_string(i) + ".png";
    WriteNoise(name, width, height, static_cast<uint32_t>(i));
    list += name + "\n";
  }
  return list;
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

int ButtonX(int i) { return 8 + (i % 6) * (BUTTON_W + 40); }
int ButtonY(int i) { return i < 6 ? 8 : HEIGHT - 8 - BUTTON_H; }

void WriteMask() {
  GifImage mask{WIDTH, HEIGHT, std::vector<uint8_t>(WIDTH * HEIGHT), std::vector<uint8_t>(768)};
  for (int i = 0; i < BUTTONS; ++i) {
    for (int y = ButtonY(i); y < ButtonY(i) + BUTTON_H; ++y) {
      for (int x = ButtonX(i); x < ButtonX(i) + BUTTON_W; ++x) mask.indices[y * WIDTH + x] = i + 1;
    }
  }
  WriteGif("mask.gif", mask);
}

void BuildPanel(Panel& panel) {
  WriteText("data.rs", "");
  WriteNoise("panel.png", WIDTH, HEIGHT, 1);
  WriteMask();
  WriteNoise("bar.png", 200, 12, 2);
  PanelCreate(panel, "panel.png", 60, 420, "mask.gif");
  PanelSetProgressBar(panel, "bar.png", 220, 440);
  PanelSetTitleBox(panel, 120, 20, 400, 24);
  for (int i = 0; i < BUTTONS; ++i) {
    const std::string name = "button" + std::to_string(i);
    if (i % 2 == 0) {
      WriteText(name + ".ani", WriteFrames(name + "_", BUTTON_W, BUTTON_H));
      PanelAddButton(panel, (name + ".ani").c_str(), ButtonX(i), ButtonY(i), i + 1, i + 1);
    } else {
      WriteNoise(name + ".png", BUTTON_W, BUTTON_H, 100 + i);
      PanelAddButton(panel, (name + ".png").c_str(), ButtonX(i), ButtonY(i), i + 1, i + 1);
    }
  }
  for (int i = 0; i < CHAINS; ++i) {
    const std::string name = "chain" + std::to_string(i);
    const std::string header = "8 80 " + std::to_string(40 + i * 96) + " 200\n";
    WriteText(name + ".txt", header + WriteFrames(name + "_", CHAIN_SIZE, CHAIN_SIZE));
    PanelAddAniChain(panel, (name + ".txt").c_str());
  }
}

void BM_PanelDrawChrome(benchmark::State& state) {
  ScratchDir dir;
  SetEngineClock(FrameClock);
  Panel panel{};
  BuildPanel(panel);
  PanelSetMouse(panel, ButtonX(0) + 5, ButtonY(0) + 5);  // button 0 is animated
  Picture screen{};
  PictureAlloc(screen, WIDTH, HEIGHT);
  for (auto _ : state) {
    PanelDrawChrome(panel, nullptr, screen, 0, 0.0f, 0.0f, 0.0f);
    benchmark::ClobberMemory();
  }
  PanelDestroy(panel);
  SetEngineClock(nullptr);
  ResourceCloseAll();
}

// The demo issue's panel with the most buttons and chains, from its archive,
// with the mouse over its first button.
void BM_DemoPanelDrawChrome(benchmark::State& state) {
  ScratchDir dir;
  std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
  SetEngineClock(FrameClock);
  PanelArray panels;
  const int32_t count = ParsePanels(panels);
  Panel* busiest = panels[0].get();
  for (int i = 1; i < count; ++i) {
    const Panel& p = *panels[i];
    if (p.buttons.size() + p.aniChains.size() > busiest->buttons.size() + busiest->aniChains.size()) {
      busiest = panels[i].get();
    }
  }
  const PanelButton& first = busiest->buttons.back();
  PanelSetMouse(*busiest, first.x + 4, first.y + 4);
  Picture screen{};
  PictureAlloc(screen, WIDTH, HEIGHT);
  for (auto _ : state) {
    PanelDrawChrome(*busiest, nullptr, screen, 0, 0.0f, 0.0f, 0.0f);
    benchmark::ClobberMemory();
  }
  PanelListDestroy(panels);
  SetEngineClock(nullptr);
  ResourceCloseAll();
}

}  // namespace

BENCHMARK(BM_PanelDrawChrome)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DemoPanelDrawChrome)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
