#include "demo_engine.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

#include "resources/archive.h"

DemoEngine::DemoEngine(int bpp) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // A copy: the demo issue may be rebuilt while the benchmarks run.
  const ReaderPlaces places{dir_.File(RESOURCE_ARCHIVE_FILE), dir_.path()};
  std::filesystem::copy_file(DEMO_ARCHIVE, places.archive);
  ResourceUsePlaces(places);
  Reader& r = *reader_;
  SetupDefaults(r.Setup);
  r.Setup.FullScreen = 0;
  r.Setup.Bpp = bpp;
  VideoStart(r.Video, r.CursorImage, r.Setup);
  KeyStateCreate(r.Keys, r.KeyFlags, r.KeyTaps);
  EngineCommand(r, ENGINE_INIT);
  r.OpeningCover.Done = 1;  // the benchmarks time panel frames
}

DemoEngine::~DemoEngine() {
  EngineCommand(*reader_, ENGINE_SHUTDOWN);
  VideoStop(reader_->Video, reader_->CursorImage);
  ResourceCloseAll();
  ResourceUsePlaces({});
  SDL_Quit();
}
