#include "engine/panel_engine.h"

#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/fatal.h"
#include "engine/panel_steps.h"
#include "engine/reader_state.h"
#include "engine/screen_transitions.h"
#include "music/msx.h"

namespace {

// The cover's last picture is kept so that the first panel dissolves in over it.
void OpeningCoverStep(Reader& reader) {
  OpeningCoverFrame(reader.OpeningCover, reader.BackBuffer);
  reader.PanelEngine.KeepCursorHidden = 1;
  if (OpeningCoverDone(reader.OpeningCover)) {
    CopyScreen(reader.BackBuffer, reader.SavedScreen);
    reader.PanelEngine.PanelSwitchPending = 1;
    MsxPlayIndex(reader.Setup.StartingTune);
  }
  Present(reader);
}

void TakeLinkTarget(Reader& reader) {
  const LinkEntry* link = ArticleHoverTarget(*reader.CurrentArticle);
  if (link != nullptr) reader.PanelEngine.Link = link;
}

// Instant, dissolve, crossfade, slide, page turn, and round again.
void AdvanceScrollStyle(Reader& reader) {
  ScrollStyles& style = reader.PanelEngine.ScrollStyle;
  if (!KeyScrollStyle(reader.KeyFlags)) return;
  switch (style) {
    case SCROLL_INSTANT:
      style = SCROLL_DISSOLVE;
      break;
    case SCROLL_DISSOLVE:
      style = SCROLL_CROSSFADE;
      break;
    case SCROLL_CROSSFADE:
      style = SCROLL_SLIDE;
      break;
    case SCROLL_SLIDE:
      style = SCROLL_PAGE_TURN;
      break;
    case SCROLL_PAGE_TURN:
      style = SCROLL_INSTANT;
      break;
  }
}

// A long action whose re-lock failed leaves nothing to draw on.
void NormalFrame(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  state.Link = nullptr;
  ArticleAnimatePictures(*reader.CurrentArticle);
  ArticleSetView(*reader.CurrentArticle, reader.CurrentPanel->oldPage);
  MouseSleep(reader);
  const int32_t rule = PerformPendingAction(reader);
  if (!BackBufferReady(reader)) return;
  RefreshView(reader, rule, VIEW_DRAW);
  TakeLinkTarget(reader);
  ReadInput(reader);
  AdvanceScrollStyle(reader);
  for (void (*step)(Reader&) : {BackCommand, ArticleCommands, ArticleLinks, SearchStep}) {
    step(reader);
    if (!BackBufferReady(reader)) return;
  }
  if (state.PanelSwitchPending) PanelDissolve(reader);
  if (!BackBufferReady(reader)) return;
  ButtonCommands(reader);
  KeyCommands(reader);
  OtherLinks(reader);
  NextPanelCommand(reader);
  if (state.PictureView && !state.PanelSwitchPending) {
    CopyScreen(reader.BackBuffer, reader.SavedScreen);
  }
  Present(reader);
}

}  // namespace

void PanelEngineReset(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  PictureFree(state.ViewedPicture);
  state = PanelEngineState{};
  state.PendingAction = ACTION_NONE;
  state.ScrollStyle = SCROLL_DISSOLVE;
  state.MouseAwake = 1;
  state.LastMouseX = -1;
  state.LastMouseY = -1;
  ArticleStackClear(reader);
}

void PanelEngineFree(Reader& reader) {
  PictureFree(reader.PanelEngine.ViewedPicture);
  reader.PanelEngine.PictureView = 0;
  ArticleStackClear(reader);
}

void PanelEngineFrame(Reader& reader) {
  if (!LockBackBuffer(reader)) return;
  reader.Presentation.PresentedThisFrame = 0;
  if (!reader.PanelEngine.PanelSwitchPending) reader.PanelEngine.KeepCursorHidden = 0;
  const bool opening = !OpeningCoverDone(reader.OpeningCover);
  const bool closing = !ClosingDone(reader.ClosingSequence);
  if (opening || closing) HideEngineCursor(reader);
  if (opening) {
    OpeningCoverStep(reader);
  } else if (closing) {
    ClosingFrame(reader.ClosingSequence, reader.BackBuffer, reader.KeyFlags);
    Present(reader);
  } else if (reader.PanelEngine.PictureView) {
    PictureViewFrame(reader);
  } else {
    NormalFrame(reader);
  }
}

std::string ArticlePathOf(const std::string& name) {
  const bool inData = name.size() > 5 && StrCaseCompare(name.substr(0, 5).c_str(), "DATA/") == 0;
  return inData ? name : "DATA/arts/" + name;
}
