#include "base/clock.h"
#include "engine/panel_steps.h"
#include "engine/reader_state.h"
#include "engine/screen_transitions.h"
#include "pictures/draw.h"

namespace {

// The picture at the top left, black beside and below it; alpha < 1 blends
// both over the screen the view was opened from.
void DrawViewedPicture(const Picture& picture, Picture& screen, float alpha) {
  const int mode = alpha < 1.0f ? DRAW_ALPHA : DRAW_OPAQUE;
  Blit(picture, 0, 0, screen, mode, alpha);
  FillRect(0, picture.width, 0, SCREEN_WIDTH - picture.width, SCREEN_HEIGHT, screen, mode, alpha);
  FillRect(0, 0, picture.height, picture.width, SCREEN_HEIGHT - picture.height, screen, mode,
           alpha);
}

// The next normal frame dissolves from the picture back to the panel.
void LeavePictureView(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  state.PicturePath.clear();
  state.PictureView = 0;
  state.PictureFadeStart = 0;
  PictureFree(state.ViewedPicture);
  reader.Mouse.buttons &= ~MOUSE_RIGHT;
  CopyScreen(reader.BackBuffer, reader.SavedScreen);
  state.PanelSwitchPending = 1;
}

}  // namespace

void PictureViewFrame(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  HideEngineCursor(reader);
  CopyScreen(reader.SavedScreen, reader.BackBuffer);
  const uint32_t now = EngineTicks();
  if (state.PictureFadeStart == 0) state.PictureFadeStart = now;
  const uint32_t elapsed = now - state.PictureFadeStart;
  const auto fadeTime = static_cast<uint32_t>(reader.Setup.ScrollFadeTime);
  DrawViewedPicture(
      state.ViewedPicture, reader.BackBuffer,
      elapsed < fadeTime ? static_cast<float>(elapsed) / static_cast<float>(fadeTime) : 1.0f);
  const bool back = KeyBack(reader.KeyFlags) != 0;
  if (back || (reader.Mouse.buttons & MOUSE_RIGHT) != 0) LeavePictureView(reader);
  Present(reader);
}
