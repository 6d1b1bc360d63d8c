#include "engine/main_loop.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/setup_config.h"
#include "engine/covers.h"
#include "platform/document_opener.h"
#include "engine/engine.h"
#include "engine/frame_pacing.h"
#include "engine/keys.h"
#include "engine/present.h"
#include "engine/video.h"
#include "generators/gif_writer.h"
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
    SetupDefaults(reader.Setup);
    reader.Setup.FullScreen = 0;
    reader.Setup.Bpp = bpp;
    reader.Setup.DirectXBlit = directXBlit;
    StartEngine(reader);
  }
  void TearDown() override {
    StopEngine(reader);
  }

  ScratchDir dir;
  std::unique_ptr<Reader> readerRecord = std::make_unique<Reader>();
  Reader& reader = *readerRecord;
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
      {"close and key", {{close, escape}}, {false}}};
  for (const Row& row : rows) {
    CoversReset(reader.OpeningCover, reader.ClosingSequence);
    KeyStateCreate(reader.Keys, reader.KeyFlags, reader.KeyTaps);
    loop = MainLoopState{};
    for (size_t i = 0; i < row.drains.size(); ++i) {
      for (const SDL_Event& event : row.drains[i]) PushEvent(event);
      EXPECT_EQ(MainLoopStep(reader, loop), row.running[i]) << row.name << ", drain " << i;
      EXPECT_EQ(loop.closingStarted, i > 0 || !row.drains[0].empty()) << row.name << ", drain " << i;
    }
  }
}

TEST_F(MainLoopTest, TheCaptionIsTheIssuesNameWhenItHasOne) {
  const std::pair<const char*, const char*> rows[] = {
      {nullptr, WINDOW_CAPTION},
      {"name=Caf\xC3\xA9 Noir #2\r\nnotes\n", "Caf\xC3\xA9 Noir #2"},
      {"name=\n", WINDOW_CAPTION}};  // a broken file is left aside
  for (auto [file, caption] : rows) {
    if (file != nullptr) {
      StopEngine(reader);
      WriteFileText("issue.txt", file);
      Start(32, 0);
    }
    char* title = nullptr;
    SDL_WM_GetCaption(&title, nullptr);
    EXPECT_STREQ(title, caption);
  }
}

TEST_F(MainLoopTest, MouseEventsFillTheMouseState) {
  HandleEvent(reader, loop, MotionEvent(321, 123));
  EXPECT_EQ(std::pair(reader.Mouse.x, reader.Mouse.y), std::pair(321, 123));

  for (Uint8 other : {SDL_BUTTON_MIDDLE, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
    HandleEvent(reader, loop, ButtonEvent(SDL_MOUSEBUTTONDOWN, other));
  }
  EXPECT_EQ(reader.Mouse.buttons, 0);
  HandleEvent(reader, loop, ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  HandleEvent(reader, loop, ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  HandleEvent(reader, loop, ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  EXPECT_EQ(reader.Mouse.buttons, MOUSE_LEFT | MOUSE_RIGHT);  // no frame has seen the release yet
}

TEST_F(MainLoopTest, KeysPressedWithinOneDrainReachTheFrameInOrder) {
  HandleEvent(reader, loop, KeyEvent(SDL_KEYDOWN, SDLK_b, KMOD_LSHIFT));
  HandleEvent(reader, loop, KeyEvent(SDL_KEYUP, SDLK_b));
  HandleEvent(reader, loop, KeyEvent(SDL_KEYDOWN, SDLK_a));
  ASSERT_EQ(reader.KeyPresses.size(), 2u);
  EXPECT_EQ(TypedCharacter(reader.KeyPresses[0]), 'b');
  EXPECT_TRUE(reader.KeyPresses[0].shift);
  EXPECT_EQ(reader.KeyPresses[1].key, SDLK_a);
  EXPECT_TRUE(MainLoopStep(reader, loop));
  EXPECT_TRUE(reader.KeyPresses.empty());
}

TEST_F(MainLoopTest, FrameShowsThePanelAndItsExitButtonQuits) {
  SkipOpeningCover(reader);
  std::fill_n(reader.BackBuffer.pixels, 640 * 480, 0xFFFFFFu);
  EXPECT_TRUE(MainLoopStep(reader, loop));
  EXPECT_EQ(reader.BackBuffer.pixels[640 * 479 + 639], STARTUP_PANEL_COLOUR);
  auto* screen = static_cast<uint32_t*>(reader.Video.ScreenSurface->pixels);
  EXPECT_EQ(screen[640 * 479 + 639], STARTUP_PANEL_COLOUR);

  // Buttons tapped within one drain are each seen by one frame, where they
  // were pressed: the pointer leaves in the same drain.
  PushEvent(MotionEvent(50, 50));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT));
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT));
  PushEvent(MotionEvent(600, 300));
  EXPECT_TRUE(MainLoopStep(reader, loop));  // the first quit request starts the closing
  EXPECT_TRUE(loop.closingStarted);
  EXPECT_EQ(reader.Mouse.buttons, 0);
  EXPECT_EQ(std::pair(reader.Mouse.x, reader.Mouse.y), std::pair(600, 300));
  EXPECT_EQ(reader.BackBuffer.pixels[0], 0xFF0000u);  // the hovered button lights up
  PushEvent(TypeEvent(SDL_QUIT));  // the closing cover hides the button: the window's close ends it
  EXPECT_FALSE(MainLoopStep(reader, loop));
}

// Each depth opens in its pixel mode, 15 bits through a shadow surface.
TEST_F(MainLoopTest, DepthsOpenInTheirModesAndDirectXBlitShowsOncePerFrame) {
  for (auto [bpp, mode] : {std::pair{15, PIXEL_RGB555}, {16, PIXEL_RGB565}, {32, PIXEL_ARGB8888}}) {
    TearDown();
    Start(bpp, 1);
    EXPECT_EQ(reader.Video.PixelMode, mode) << bpp;
    EXPECT_EQ(reader.Video.ShadowSurface != nullptr, bpp == 15) << bpp;
    EXPECT_TRUE(MainLoopStep(reader, loop));
    EXPECT_EQ(reader.Presentation.PresentedThisFrame, 1);
    EXPECT_EQ(reader.Presentation.BackBufferLocked, 0);
    const int32_t shown = reader.Presentation.Presents;
    EXPECT_TRUE(MainLoopStep(reader, loop));
    EXPECT_EQ(reader.Presentation.Presents, shown) << "an unchanged frame is not shown";
  }
  // The screen is the frame here: a band drawn over it is lifted off again.
  SkipOpeningCover(reader);
  EXPECT_TRUE(MainLoopStep(reader, loop));
  const auto* screen = static_cast<uint32_t*>(reader.Video.ScreenSurface->pixels);
  const uint32_t under = screen[640 * 479];
  SetPresentBand(reader.Presentation, std::vector<uint32_t>(640 * 4, 0x112233));
  EXPECT_TRUE(MainLoopStep(reader, loop));
  EXPECT_EQ(screen[640 * 479], 0x112233u);
  SetPresentBand(reader.Presentation, {});
  EXPECT_TRUE(MainLoopStep(reader, loop));
  EXPECT_EQ(screen[640 * 479], under);
}

TEST_F(MainLoopTest, PresentShowsOnlyWhatChangedAndAllAfterAnExpose) {
  SkipOpeningCover(reader);
  EXPECT_TRUE(MainLoopStep(reader, loop));
  const int32_t shown = reader.Presentation.Presents;
  Present(reader);
  EXPECT_EQ(reader.Presentation.Presents, shown);  // nothing changed: nothing shown
  auto* screen = static_cast<uint32_t*>(reader.Video.ScreenSurface->pixels);
  screen[0] = 0x123456;  // a mark that only a whole present overwrites
  for (int y = 100; y < 104; ++y) reader.BackBuffer.pixels[y * 640 + 200] = 0xABCDEF;
  Present(reader);
  EXPECT_EQ(reader.Presentation.Presents, shown + 1);
  EXPECT_EQ(reader.Presentation.UpdatedRects, 1);
  EXPECT_EQ(screen[103 * 640 + 200], 0xABCDEFu);
  EXPECT_EQ(screen[0], 0x123456u);
  HandleEvent(reader, loop, TypeEvent(SDL_VIDEOEXPOSE));
  Present(reader);
  EXPECT_EQ(reader.Presentation.Presents, shown + 2);
  EXPECT_EQ(screen[0], reader.BackBuffer.pixels[0]);
  // A band stands over the frame, outside it, through a change elsewhere.
  SetPresentBand(reader.Presentation, std::vector<uint32_t>(640 * 4, 0x112233));
  Present(reader);
  EXPECT_EQ(screen[640 * 479], 0x112233u);
  EXPECT_NE(reader.BackBuffer.pixels[640 * 479], 0x112233u);
  reader.BackBuffer.pixels[640 * 478] = 0xABCDEF;
  Present(reader);
  EXPECT_EQ(screen[640 * 478], 0x112233u);
  SetPresentBand(reader.Presentation, {});
  Present(reader);
  EXPECT_EQ(screen[640 * 478], 0xABCDEFu);
}

// Each wait moves the deadline on: three waits last at least two frames.
TEST(FramePacing, WaitsSleepFromOneDeadlineToTheNext) {
  FramePacing pacing{};
  EnableFramePacing(pacing, true);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3; ++i) WaitForNextFrame(pacing);
  EnableFramePacing(pacing, false);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(33));
}

TEST_F(MainLoopTest, PlasmaOfAnotherSizeIsRefused) {
  EngineCommand(reader, ENGINE_SHUTDOWN);
  WriteFileBytes("plasma.gif", {});
  EXPECT_EQ(FatalMessageOf([&] { EngineCommand(reader, ENGINE_INIT); }), "Pix loader error ![GIF]");
  GifImage small{64, 48, std::vector<uint8_t>(64 * 48), std::vector<uint8_t>(768)};
  WriteGif("plasma.gif", small);
  EXPECT_EQ(FatalMessageOf([&] { EngineCommand(reader, ENGINE_INIT); }), "Wrong plasma file !");
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
  EXPECT_TRUE(MainLoopStep(reader, loop));
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);  // no child left, not even a zombie
  EXPECT_EQ(ReadFileText("opened.txt"), "notes.txt; touch pwned $(touch pwned2)|");
  EXPECT_FALSE(FileExists("pwned") || FileExists("pwned2"));
  setenv("PATH", (dir.path() + ":" + path).c_str(), 1);
  OpenDocument("--help");  // a name, never an option
  setenv("PATH", path.c_str(), 1);
  while (waitpid(-1, nullptr, 0) > 0) {}
  EXPECT_EQ(ReadFileText("opened.txt"), "./--help|");
}

