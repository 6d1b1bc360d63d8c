#include "engine/panel_engine.h"

#include "engine/engine.h"
#include "engine/font_samples.h"
#include "engine/keys.h"
#include "engine/panel_list.h"
#include "engine/present.h"

namespace {

// A command acts while the left button is down; the exit button consumes
// the click so that it acts once.
void RunButtonCommand(Panel& panel) {
  if ((Mouse.buttons & MOUSE_LEFT) == 0) return;
  if (PanelHitTest(panel) == COMMAND_QUIT) {
    Mouse.buttons &= ~MOUSE_LEFT;
    RaiseQuit();
  }
}

}  // namespace

void PanelEngineFrame() {
  if (!LockBackBuffer()) return;
  Presentation.PresentedThisFrame = 0;
  Panel& panel = *CurrentPanel;
  PanelSetMouse(panel, Mouse.x, Mouse.y);
  PanelDrawArticle(panel, nullptr, 0, BackBuffer);
  DrawFontSamples(panel, BackBuffer);
  PanelDrawChrome(panel, nullptr, BackBuffer, 0, 0.0f, 0.0f, 0.0f);
  RunButtonCommand(panel);
  Present();
}
