// The reader from start-up to exit: settings, summary, video, input records,
// the engine, the main loop, shutdown.
#pragma once

#include <cstdint>
#include <string>

#include "resources/reader_places.h"

// Where the screen goes, whatever the saved settings say.
enum class ScreenChoice { Saved, Window, FullScreen };

struct ReaderOptions {
  bool skipSetup;   // accept the settings at once, as if OK had been pressed
  int windowScale;  // 1 to MAX_WINDOW_SCALE: the window shows the screen this many times larger
  ReaderPlaces places = {};       // the archive and the folder for the reader's own files
  std::string startArticle = {};  // an article to open at once, without the opening cover
  bool watch = false;  // show every saved change of the issue at once; faults do not end it
  ScreenChoice screen = ScreenChoice::Saved;
};

// The full-screen setting (0/1) that the choice leaves: the saved one for Saved.
int32_t ScreenSetting(ScreenChoice choice, int32_t saved);

// Runs the reader and returns its exit status (0). Fatal errors end the
// process from wherever they happen.
int RunReader(const ReaderOptions& options);
