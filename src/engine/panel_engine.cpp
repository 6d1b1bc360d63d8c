#include "engine/panel_engine.h"

#include "articles/article_view.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/panel_list.h"
#include "engine/present.h"

std::unique_ptr<Article> CurrentArticle;
std::string CurrentArticlePath;

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
  ArticleAnimatePictures(*CurrentArticle);
  PanelDrawArticle(panel, CurrentArticle.get(), 1, BackBuffer);
  PanelDrawChrome(panel, CurrentArticle.get(), BackBuffer, 0, 0.0f, 0.0f, 0.0f);
  RunButtonCommand(panel);
  Present();
}
