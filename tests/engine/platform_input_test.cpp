#include <gtest/gtest.h>
#include <sys/wait.h>

#include <SDL.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "engine/document_opener.h"
#include "engine/mouse_wheel.h"
#include "support/scratch_dir.h"

// SDL hands events it takes from the system to the filter; events pushed by
// the program skip it, so the test calls the installed filter itself.
TEST(MouseWheel, ButtonsFourAndFiveCountIntoOneAccumulator) {
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
  MouseWheelInstall();
  SDL_EventFilter filter = SDL_GetEventFilter();
  ASSERT_NE(filter, nullptr);
  MouseWheelSet(0);
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  for (Uint8 button : {SDL_BUTTON_WHEELDOWN, SDL_BUTTON_WHEELDOWN, SDL_BUTTON_WHEELDOWN,
                       SDL_BUTTON_WHEELUP, SDL_BUTTON_LEFT}) {
    event.button.button = button;
    EXPECT_EQ(filter(&event), 1);  // every event goes on to the queue
  }
  event.type = SDL_MOUSEBUTTONUP;
  event.button.button = SDL_BUTTON_WHEELDOWN;
  filter(&event);
  EXPECT_EQ(MouseWheelGet(), -2);
  MouseWheelSet(0);
  EXPECT_EQ(MouseWheelGet(), 0);
  SDL_SetEventFilter(nullptr);
  SDL_Quit();
}

TEST(DocumentOpener, HandsTheArgumentOverWholeWithoutAShell) {
  ScratchDir dir;
  // A stand-in opener on the PATH that records its arguments.
  WriteFileBytes("xdg-open", [] {
    std::string script = "#!/bin/sh\nprintf '%s|' \"$@\" > opened.txt\n";
    return std::vector<uint8_t>(script.begin(), script.end());
  }());
  std::filesystem::permissions("xdg-open", std::filesystem::perms::owner_all);
  const std::string path = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
  setenv("PATH", (dir.path() + ":" + path).c_str(), 1);
  OpenDocument("notes.txt; touch pwned $(touch pwned2)");
  for (int i = 0; i < 200 && !FileExists("opened.txt"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  setenv("PATH", path.c_str(), 1);
  std::vector<uint8_t> opened = ReadFileBytes("opened.txt");
  EXPECT_EQ(std::string(opened.begin(), opened.end()), "notes.txt; touch pwned $(touch pwned2)|");
  EXPECT_FALSE(FileExists("pwned"));
  EXPECT_FALSE(FileExists("pwned2"));
  ReapOpeners();
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);  // no child left, not even a zombie
}
