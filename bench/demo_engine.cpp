#include "demo_engine.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>

#include "resources/archive.h"

DemoEngine::DemoEngine(int bpp) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // A copy: the demo issue may be rebuilt while the benchmarks run.
  std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
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
  SDL_Quit();
}
