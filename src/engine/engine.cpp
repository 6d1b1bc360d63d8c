#include "engine/engine.h"

#include <algorithm>

#include "engine/present.h"
#include "engine/video.h"

Picture BackBuffer;
Picture SavedScreen;
MouseState Mouse;

namespace {

void EngineInit() {
  PictureAlloc(BackBuffer, SCREEN_WIDTH, SCREEN_HEIGHT);
  PictureAlloc(SavedScreen, SCREEN_WIDTH, SCREEN_HEIGHT);
}

// Until the panels exist a frame is the cleared back buffer.
void EngineFrame() {
  std::fill(BackBuffer.block.begin(), BackBuffer.block.end(), 0u);
  Present();
}

void EngineShutdown() {
  PictureFree(BackBuffer);
  PictureFree(SavedScreen);
}

}  // namespace

void EngineCommand(int command) {
  switch (command) {
    case ENGINE_INIT: EngineInit(); break;
    case ENGINE_FRAME: EngineFrame(); break;
    case ENGINE_SHUTDOWN: EngineShutdown(); break;
    default: break;
  }
}
