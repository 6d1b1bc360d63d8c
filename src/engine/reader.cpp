#include "engine/reader.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "base/fatal.h"
#include "engine/issue_watch.h"
#include "engine/main_loop.h"
#include "engine/reader_state.h"
#include "engine/settings_summary.h"
#include "platform/shutdown_signals.h"
#include "resources/archive.h"
#include "resources/reading_place.h"
#include "setup/setup_dialog.h"

namespace {

// After the fixed line, on standard error: where it struck, as magtool check
// would name it, for the editor's terminal, where it starts a line of its own.
void NamePlace(const char* message) {
  const std::string line = PlaceLine(FatalPlaceNow(), message);
  if (line.empty()) return;
  const bool sameScreen = isatty(STDOUT_FILENO) != 0 && isatty(STDERR_FILENO) != 0;
  std::fprintf(stderr, "%s%s\n", sameScreen ? "\n" : "", line.c_str());
}

}  // namespace

int32_t ScreenSetting(ScreenChoice choice, int32_t saved) {
  switch (choice) {
    case ScreenChoice::Saved:
      return saved;
    case ScreenChoice::Window:
      return 0;
    case ScreenChoice::FullScreen:
      return 1;
  }
  return saved;
}

int RunReader(const ReaderOptions& options) {
  InstallOutOfMemoryHandler();
  SetFatalAfterword(NamePlace);
  InstallShutdownSignals();
  ResourceUsePlaces(options.places);
  ResourceRemoveLeftovers();
  const auto reader = std::make_unique<Reader>();
  reader->StartArticle = options.startArticle;
  SetupDefaults(reader->Setup);
  RunSetupDialog(reader->Setup, !options.skipSetup);
  reader->Setup.FullScreen = ScreenSetting(options.screen, reader->Setup.FullScreen);
  PrintSettingsSummary(reader->Setup);
  VideoStart(reader->Video, reader->CursorImage, reader->Setup, options.windowScale);
  KeyStateCreate(reader->Keys, reader->KeyFlags, reader->KeyTaps);
  EngineCommand(*reader, ENGINE_INIT);
  if (options.watch) WatchStart(*reader);
  RunMainLoop(*reader);
  WatchStop(*reader);
  EngineCommand(*reader, ENGINE_SHUTDOWN);
  VideoStop(reader->Video, reader->CursorImage);
  ResourceCloseAll();
  return 0;
}
