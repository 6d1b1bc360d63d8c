#include "demo_engine.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

#include "base/setup_config.h"
#include "engine/covers.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/video.h"
#include "resources/archive.h"

DemoEngine::DemoEngine(int bpp) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // A copy: the demo issue may be rebuilt while the benchmarks run.
  const ReaderPlaces places{dir_.File(RESOURCE_ARCHIVE_FILE), dir_.path()};
  std::filesystem::copy_file(DEMO_ARCHIVE, places.archive);
  ResourceUsePlaces(places);
  SetupDefaults(Setup);
  Setup.FullScreen = 0;
  Setup.Bpp = bpp;
  VideoStart(Setup);
  Mouse = MouseState{};
  KeyStateCreate();
  EngineCommand(ENGINE_INIT);
  OpeningCover.Done = 1;  // the benchmarks time panel frames
}

DemoEngine::~DemoEngine() {
  EngineCommand(ENGINE_SHUTDOWN);
  VideoStop();
  ResourceCloseAll();
  ResourceUsePlaces({});
  SDL_Quit();
}
