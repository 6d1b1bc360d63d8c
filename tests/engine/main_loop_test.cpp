#include "engine/main_loop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/setup_config.h"
#include "engine/covers.h"
#include "engine/document_opener.h"
#include "engine/engine.h"
#include "engine/frame_pacing.h"
#include "engine/keys.h"
#include "engine/present.h"
#include "engine/screen_transitions.h"
#include "engine/shutdown_signals.h"
#include "engine/video.h"
#include "generators/gif_writer.h"
#include "resources/archive.h"
#include "support/child_process.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "support/sdl_events.h"
#include "support/startup_files.h"

namespace {

class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(32, 0); }

  void Start(int bpp, int directXBlit) {
    WriteStartupFiles();
    SetupDefaults(::Setup);
    ::Setup.FullScreen = 0;
    ::Setup.Bpp = bpp;
    ::Setup.DirectXBlit = directXBlit;
    StartEngine();
  }
  void TearDown() override {
    StopEngine();
  }

  void Restart(int bpp, int directXBlit) {
    TearDown();
    Start(bpp, directXBlit);
  }

  ScratchDir dir;
  MainLoopState loop{};
};

}  // namespace

// Each drain's events, then whether the loop goes on after its frame. The
// quit key counts even when pressed and released within one drain.
TEST_F(MainLoopTest, TheFirstQuitRequestStartsTheClosingTheNextEndsTheLoop) {
  WriteFileBytes("keydefs.cfg", {1, 0, 0, 0});  // quit: Escape
  const SDL_Event close = TypeEvent(SDL_QUIT), escape = KeyEvent(SDL_KEYDOWN, SDLK_ESCAPE),
                  escapeUp = KeyEvent(SDL_KEYUP, SDLK_ESCAPE);
  struct Row {
    const char* name;
    std::vector<std::vector<SDL_Event>> drains;
    std::vector<bool> running;
  };
  const Row rows[] = {
      {"close, close", {{}, {close}, {}, {close}}, {true, true, true, false}},
      {"tapped key, key", {{escape, escapeUp}, {escape}}, {true, false}},
      {"close and close", {{close, close}}, {false}},
      {"close and key", {{close, escape}}, {false}},
      {"key and close", {{escape, close}}, {false}},
  };
  for (const Row& row : rows) {
    CoversReset();
    KeyStateCreate();
    loop = MainLoopState{};
    for (size_t i = 0; i < row.drains.size(); ++i) {
      for (const SDL_Event& event : row.drains[i]) PushEvent(event);
      EXPECT_EQ(MainLoopStep(loop), row.running[i]) << row.name << ", drain " << i;
      EXPECT_EQ(loop.closingStarted, i > 0 || !row.drains[0].empty()) << row.name << ", drain " << i;
    }
  }
}

TEST_F(MainLoopTest, MouseEventsFillTheMouseState) {
  HandleEvent(loop, MotionEvent(321, 123));
  EXPECT_EQ(Mouse.x, 321);
  EXPECT_EQ(Mouse.y, 123);

  SDL_Event button{};
  button.type = SDL_MOUSEBUTTONDOWN;
  for (Uint8 other : {SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
    button.button.button = other;
    HandleEvent(loop, button);
  }
  EXPECT_EQ(Mouse.buttons, 0);
  button.button.button = SDL_BUTTON_LEFT;
  HandleEvent(loop, button);
  button.button.button = SDL_BUTTON_RIGHT;
  HandleEvent(loop, button);
  EXPECT_EQ(Mouse.buttons, MOUSE_LEFT | MOUSE_RIGHT);
  button.type = SDL_MOUSEBUTTONUP;
  button.button.button = SDL_BUTTON_LEFT;
  HandleEvent(loop, button);
  EXPECT_EQ(Mouse.buttons, MOUSE_LEFT | MOUSE_RIGHT);  // no frame has seen it yet
}

TEST_F(MainLoopTest, FrameShowsThePanelAndItsExitButtonQuits) {
  SkipOpeningCover();
  std::fill_n(BackBuffer.pixels, 640 * 480, 0xFFFFFFu);
  EXPECT_TRUE(MainLoopStep(loop));
  EXPECT_EQ(BackBuffer.pixels[640 * 479 + 639], STARTUP_PANEL_COLOUR);
  auto* screen = static_cast<uint32_t*>(Video.ScreenSurface->pixels);
  EXPECT_EQ(screen[640 * 479 + 639], STARTUP_PANEL_COLOUR);

  // Buttons tapped within one drain are each seen by one frame.
  PushEvent(MotionEvent(50, 50));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT));
  EXPECT_TRUE(MainLoopStep(loop));  // the first quit request starts the closing
  EXPECT_TRUE(loop.closingStarted);
  EXPECT_EQ(Mouse.buttons, 0);
  EXPECT_EQ(BackBuffer.pixels[0], 0xFF0000u);  // the hovered button lights up
  PushEvent(TypeEvent(SDL_QUIT));  // the closing cover hides the button: the window's close ends it
  EXPECT_FALSE(MainLoopStep(loop));
}

// Each depth opens in its pixel mode, 15 bits through a shadow surface.
TEST_F(MainLoopTest, DepthsOpenInTheirModesAndDirectXBlitShowsOncePerFrame) {
  for (auto [bpp, mode] : {std::pair{15, PIXEL_RGB555}, {16, PIXEL_RGB565}, {32, PIXEL_ARGB8888}}) {
    Restart(bpp, 1);
    EXPECT_EQ(Video.PixelMode, mode) << bpp;
    EXPECT_EQ(Video.ShadowSurface != nullptr, bpp == 15) << bpp;
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    EXPECT_STREQ(caption, "Marrowin#1 [win32]");
    ASSERT_NE(BackBufferSurface, nullptr) << bpp;
    EXPECT_EQ(BackBuffer.width, 640);
    EXPECT_TRUE(MainLoopStep(loop));
    EXPECT_EQ(Presentation.PresentedThisFrame, 1);
    EXPECT_EQ(Presentation.BackBufferLocked, 0);
    Present();  // a second time in the same frame: nothing to do
    EXPECT_EQ(Presentation.BackBufferLocked, 0);
    const int32_t shown = Presentation.Presents;
    EXPECT_TRUE(MainLoopStep(loop));
    EXPECT_EQ(Presentation.Presents, shown) << "an unchanged frame is not shown";
  }
}

TEST_F(MainLoopTest, PresentShowsOnlyWhatChangedAndAllAfterAnExpose) {
  SkipOpeningCover();
  EXPECT_TRUE(MainLoopStep(loop));
  const int32_t shown = Presentation.Presents;
  Present();
  EXPECT_EQ(Presentation.Presents, shown);  // nothing changed: nothing shown
  auto* screen = static_cast<uint32_t*>(Video.ScreenSurface->pixels);
  screen[0] = 0x123456;  // a mark that only a whole present overwrites
  for (int y = 100; y < 104; ++y) BackBuffer.pixels[y * 640 + 200] = 0xABCDEF;
  Present();
  EXPECT_EQ(Presentation.Presents, shown + 1);
  EXPECT_EQ(Presentation.UpdatedRects, 1);
  EXPECT_EQ(screen[103 * 640 + 200], 0xABCDEFu);
  EXPECT_EQ(screen[0], 0x123456u);
  HandleEvent(loop, TypeEvent(SDL_VIDEOEXPOSE));
  Present();
  EXPECT_EQ(Presentation.Presents, shown + 2);
  EXPECT_EQ(screen[0], BackBuffer.pixels[0]);
}

TEST(FramePacing, DeadlinesFollowThePeriodAndResyncWhenLate) {
  struct Row {
    PaceTime previous, now, expected;
  };
  const PaceTime period = 16;
  const Row rows[] = {
      {100, 105, 116},  // early: the next refresh
      {100, 120, 116},  // a little late: the same deadline, no drift
      {100, 132, 116},  // late by exactly a period: still caught up
      {100, 133, 133},  // late by more: the pace restarts from now
  };
  for (const Row& row : rows) {
    EXPECT_EQ(NextFrameDeadline(row.previous, row.now, period), row.expected) << row.now;
  }
  EXPECT_EQ(FramePeriod(60, true), 16'666'666);
  EXPECT_EQ(FramePeriod(0, true), 16'666'666);
  EXPECT_EQ(FramePeriod(144, false), HIDDEN_FRAME_PERIOD);
}

// Each wait moves the deadline on: three waits last at least two frames.
TEST(FramePacing, WaitsSleepFromOneDeadlineToTheNext) {
  EnableFramePacing(true);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) WaitForNextFrame();
  EnableFramePacing(false);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(33));
}

TEST_F(MainLoopTest, PlasmaOfAnotherSizeIsRefused) {
  EngineCommand(ENGINE_SHUTDOWN);
  WriteFileBytes("plasma.gif", {});
  EXPECT_EQ(FatalMessageOf([] { EngineCommand(ENGINE_INIT); }), "Pix loader error ![GIF]");
  GifImage small{64, 48, std::vector<uint8_t>(64 * 48), std::vector<uint8_t>(768)};
  WriteGif("plasma.gif", small);
  EXPECT_EQ(FatalMessageOf([] { EngineCommand(ENGINE_INIT); }), "Wrong plasma file !");
}

// A stand-in opener on the PATH records its arguments: one, with no shell.
TEST_F(MainLoopTest, OpenerTakesTheArgumentWholeAndTheFrameReapsIt) {
  const std::string script = "#!/bin/sh\nprintf '%s|' \"$@\" > opened.txt\n";
  WriteFileBytes("xdg-open", {script.begin(), script.end()});
  std::filesystem::permissions("xdg-open", std::filesystem::perms::owner_all);
  const std::string path = std::getenv("PATH");
  setenv("PATH", (dir.path() + ":" + path).c_str(), 1);
  OpenDocument("notes.txt; touch pwned $(touch pwned2)");
  setenv("PATH", path.c_str(), 1);
  siginfo_t ended{};
  ASSERT_EQ(waitid(P_ALL, 0, &ended, WEXITED | WNOWAIT), 0);  // ended, not yet reaped
  EXPECT_TRUE(MainLoopStep(loop));
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);  // no child left, not even a zombie
  EXPECT_EQ(ReadFileText("opened.txt"), "notes.txt; touch pwned $(touch pwned2)|");
  EXPECT_FALSE(FileExists("pwned") || FileExists("pwned2"));
}

// The ten-second animation is cut short, and the loop ends after its frame.
TEST_F(MainLoopTest, ShutdownSignalEndsAnimationAndLoop) {
  ChildResult child = RunInChild([this] {
    InstallShutdownSignals();
    std::raise(SIGTERM);
    int frames = 0;
    RunPageAnimation([&](float) { ++frames; }, 0.0f, 1.0f, 10000);
    std::printf("frames %d loop %d", frames, MainLoopStep(loop));
    std::fflush(stdout);
    std::_Exit(0);  // the engine is the parent's to shut down
  });
  EXPECT_EQ(child.out, "frames 0 loop 0");
}
