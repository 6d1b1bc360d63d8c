#include "engine/reader.h"

#include "base/fatal.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/main_loop.h"
#include "engine/mouse_wheel.h"
#include "engine/settings_summary.h"
#include "engine/setup_dialog.h"
#include "engine/shutdown_signals.h"
#include "engine/video.h"
#include "resources/archive.h"

int RunReader(const ReaderOptions& options) {
  InstallOutOfMemoryHandler();
  InstallShutdownSignals();
  ResourceUsePlaces(options.places);
  SetupDefaults(Setup);
  RunSetupDialog(Setup, !options.skipSetup);
  PrintSettingsSummary(Setup);
  VideoStart(Setup, options.windowScale);
  MouseWheelInstall();
  Mouse = MouseState{};
  KeyStateCreate();
  EngineCommand(ENGINE_INIT);
  RunMainLoop();
  EngineCommand(ENGINE_SHUTDOWN);
  VideoStop();
  ResourceCloseAll();
  return 0;
}
