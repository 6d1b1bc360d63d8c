#include "engine/panel_engine.h"

#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/setup_config.h"
#include "engine/article_stack.h"
#include "engine/covers.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/panel_list.h"
#include "engine/panel_steps.h"
#include "engine/present.h"
#include "engine/screen_transitions.h"
#include "music/msx.h"

PanelEngineState PanelEngine;
std::unique_ptr<Article> CurrentArticle;
std::string CurrentArticlePath;

namespace {

// The cover's last picture is kept so that the first panel dissolves in over it.
void OpeningCoverStep() {
  OpeningCoverFrame(BackBuffer);
  PanelEngine.KeepCursorHidden = 1;
  if (OpeningCoverDone()) {
    CopyScreen(BackBuffer, SavedScreen);
    PanelEngine.PanelSwitchPending = 1;
    MsxPlayIndex(Setup.StartingTune);
  }
  Present();
}

void TakeLinkTarget() {
  const std::string* target = ArticleHoverTarget(*CurrentArticle);
  if (target != nullptr) PanelEngine.LinkTarget = target->substr(0, LINK_TARGET_MAX_CHARS);
}

void AdvanceScrollStyle() {
  static constexpr int32_t next[6] = {0, SCROLL_DISSOLVE, SCROLL_CROSSFADE, SCROLL_PAGE_TURN,
                                      SCROLL_SLIDE, SCROLL_INSTANT};
  if (KeyScrollStyle()) PanelEngine.ScrollStyle = next[PanelEngine.ScrollStyle];
}

// A long action whose re-lock failed leaves nothing to draw on.
void NormalFrame() {
  PanelEngine.LinkTarget.clear();
  ArticleAnimatePictures(*CurrentArticle);
  ArticleSetView(*CurrentArticle, CurrentPanel->oldPage);
  MouseSleep();
  const int32_t rule = PerformPendingAction();
  if (!BackBufferReady()) return;
  RefreshView(rule, VIEW_DRAW);
  TakeLinkTarget();
  ReadInput();
  AdvanceScrollStyle();
  for (void (*step)() : {BackCommand, ArticleCommands, ArticleLinks, SearchStep}) {
    step();
    if (!BackBufferReady()) return;
  }
  if (PanelEngine.PanelSwitchPending) PanelDissolve();
  if (!BackBufferReady()) return;
  ButtonCommands();
  KeyCommands();
  OtherLinks();
  NextPanelCommand();
  if (PanelEngine.PictureView && !PanelEngine.PanelSwitchPending) {
    CopyScreen(BackBuffer, SavedScreen);
  }
  Present();
}

}  // namespace

void PanelEngineReset() {
  PictureFree(PanelEngine.ViewedPicture);
  PanelEngine = PanelEngineState{};
  PanelEngine.PendingAction = ACTION_NONE;
  PanelEngine.ScrollStyle = SCROLL_DISSOLVE;
  PanelEngine.MouseAwake = 1;
  PanelEngine.LastMouseX = -1;
  PanelEngine.LastMouseY = -1;
  ArticleStackClear();
}

void PanelEngineFree() {
  PictureFree(PanelEngine.ViewedPicture);
  PanelEngine.PictureView = 0;
  ArticleStackClear();
}

void PanelEngineFrame() {
  if (!LockBackBuffer()) return;
  Presentation.PresentedThisFrame = 0;
  if (!PanelEngine.PanelSwitchPending) PanelEngine.KeepCursorHidden = 0;
  if (!OpeningCoverDone() || !ClosingDone()) HideEngineCursor();
  if (!OpeningCoverDone()) {
    OpeningCoverStep();
  } else if (!ClosingDone()) {
    ClosingFrame(BackBuffer);
    Present();
  } else if (PanelEngine.PictureView) {
    PictureViewFrame();
  } else {
    NormalFrame();
  }
}
