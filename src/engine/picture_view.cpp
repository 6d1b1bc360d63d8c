#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/panel_engine.h"
#include "engine/panel_steps.h"
#include "engine/present.h"
#include "engine/screen_transitions.h"
#include "engine/video.h"
#include "resources/draw.h"

namespace {

// The picture at the top left, black beside and below it; alpha < 1 blends
// both over the screen the view was opened from.
void DrawViewedPicture(float alpha) {
  const Picture& picture = PanelEngine.ViewedPicture;
  const int mode = alpha < 1.0f ? DRAW_ALPHA : DRAW_OPAQUE;
  Blit(picture, 0, 0, BackBuffer, mode, alpha);
  FillRect(0, picture.width, 0, SCREEN_WIDTH - picture.width, SCREEN_HEIGHT, BackBuffer, mode,
           alpha);
  FillRect(0, 0, picture.height, picture.width, SCREEN_HEIGHT - picture.height, BackBuffer, mode,
           alpha);
}

// The next normal frame dissolves from the picture back to the panel.
void LeavePictureView() {
  PanelEngine.PicturePath.clear();
  PanelEngine.PictureView = 0;
  PanelEngine.PictureFadeStart = 0;
  PictureFree(PanelEngine.ViewedPicture);
  Mouse.buttons &= ~MOUSE_RIGHT;
  CopyScreen(BackBuffer, SavedScreen);
  PanelEngine.PanelSwitchPending = 1;
}

}  // namespace

void PictureViewFrame() {
  HideEngineCursor();
  CopyScreen(SavedScreen, BackBuffer);
  const uint32_t now = EngineTicks();
  if (PanelEngine.PictureFadeStart == 0) PanelEngine.PictureFadeStart = now;
  const uint32_t elapsed = now - PanelEngine.PictureFadeStart;
  const auto fadeTime = static_cast<uint32_t>(Setup.ScrollFadeTime);
  DrawViewedPicture(elapsed < fadeTime ? static_cast<float>(elapsed) / static_cast<float>(fadeTime)
                                       : 1.0f);
  const bool back = KeyBack() != 0;
  if (back || (Mouse.buttons & MOUSE_RIGHT) != 0) LeavePictureView();
  Present();
}
