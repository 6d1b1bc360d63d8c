#include <algorithm>

#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/mouse_wheel.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/panel_steps.h"
#include "engine/present.h"
#include "engine/screen_transitions.h"

namespace {

bool PageStepsAllowed(const Article& article) {
  return article.twoColumns ? (article.spreadSingleStep || article.spreadDoubleStep)
                            : article.pageScroll != 0;
}

bool AnyScrolling(const Article& article) {
  return article.lineScroll || article.pageScroll || article.spreadSingleStep ||
         article.spreadDoubleStep;
}

// A page-sized move: instant in the instant style, otherwise the old and the new page
// are captured and the change animated. Whole-article moves (first, last)
// always dissolve in the slide style.
void AnimatedMove(void (*move)(Article&), int32_t newRule, bool wholeArticle) {
  Article& article = *CurrentArticle;
  const ArticleScroll old = ArticleGetScroll(article);
  const float from = ArticleScrollFraction(article);
  if (PanelEngine.ScrollStyle == SCROLL_INSTANT) {
    move(article);
    return;
  }
  RefreshView(FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  move(article);
  RefreshView(newRule, VIEW_CAPTURE_NEW);
  if (wholeArticle) PanelEngine.OffPage = 1;
  AnimateScroll(old, from);
  PanelEngine.OffPage = 0;
}

// Moves the focus off every piece of the focused link, staying among the
// visible links.
void StepLinkFocus(int32_t direction) {
  const Article& article = *CurrentArticle;
  const int32_t first = ArticleFirstVisibleHotspot(article);
  const int32_t last = ArticleLastVisibleHotspot(article);
  if (first == -1 || last == -1) return;
  int32_t focus = std::clamp(PanelEngine.LinkFocus, first, last);
  const int32_t id = ArticleHotspotId(article, focus);
  for (int32_t next = focus + direction; next >= first && next <= last; next += direction) {
    focus = next;
    if (ArticleHotspotId(article, next) != id) break;
  }
  PanelEngine.LinkFocus = focus;
}

void ReadWheel(const Article& article) {
  const int32_t wheel = MouseWheelGet();
  MouseWheelSet(0);
  if (wheel < 0) PanelEngine.PendingAction = article.lineScroll ? ACTION_LINE_DOWN : ACTION_PAGE_DOWN;
  if (wheel > 0) PanelEngine.PendingAction = article.lineScroll ? ACTION_LINE_UP : ACTION_PAGE_UP;
}

// Each key read overrides the ones before; pressed flags are read (and so
// cleared) whether or not an earlier one matched.
void ReadKeys() {
  int32_t& action = PanelEngine.PendingAction;
  if (KeyLineDown()) action = ACTION_LINE_DOWN;
  if (KeyLineUp()) action = ACTION_LINE_UP;
  if ((KeyPageDown() | KeyPageDown2()) != 0) action = ACTION_PAGE_DOWN;
  if ((KeyPageUp() | KeyPageUp2()) != 0) action = ACTION_PAGE_UP;
  if (KeyFirstPage()) action = ACTION_FIRST_PAGE;
  if (KeyLastPage()) action = ACTION_LAST_PAGE;
  if (KeyNextLink()) action = ACTION_NEXT_LINK;
  if (KeyPrevLink()) action = ACTION_PREV_LINK;
}

// Line buttons repeat while held; page buttons act once per click.
void ReadScrollButtons() {
  if ((Mouse.buttons & MOUSE_LEFT) == 0) return;
  int32_t& action = PanelEngine.PendingAction;
  switch (PanelHitTest(*CurrentPanel)) {
    case COMMAND_LINE_UP: action = ACTION_LINE_UP; break;
    case COMMAND_LINE_DOWN: action = ACTION_LINE_DOWN; break;
    case COMMAND_PAGE_UP:
      action = ACTION_PAGE_UP;
      Mouse.buttons &= ~MOUSE_LEFT;
      break;
    case COMMAND_PAGE_DOWN:
      action = ACTION_PAGE_DOWN;
      Mouse.buttons &= ~MOUSE_LEFT;
      break;
    default: break;
  }
}

}  // namespace

void MouseSleep() {
  PanelEngineState& state = PanelEngine;
  const bool held = (Mouse.buttons & (MOUSE_LEFT | MOUSE_RIGHT)) != 0;
  if (Mouse.x == state.LastMouseX && Mouse.y == state.LastMouseY && !held) {
    if (state.MouseAwake &&
        EngineTicks() - state.LastMouseMoveTicks >= static_cast<uint32_t>(Setup.MouseSleepDelay)) {
      state.JustSlept = 1;
      state.MouseAwake = 0;
      HideEngineCursor();
    }
    return;
  }
  state.MouseAwake = 1;
  state.LastMouseX = Mouse.x;
  state.LastMouseY = Mouse.y;
  state.LastMouseMoveTicks = EngineTicks();
  if (!state.KeepCursorHidden) ShowEngineCursor();
}

int32_t PerformPendingAction() {
  Article& article = *CurrentArticle;
  const int32_t action = PanelEngine.PendingAction;
  PanelEngine.PendingAction = ACTION_NONE;
  switch (action) {
    case ACTION_LINE_DOWN:
    case ACTION_LINE_UP:
      if (article.lineScroll) {
        (action == ACTION_LINE_DOWN ? ArticleLineForward : ArticleLineBack)(article);
      }
      PanelEngine.OffPage = 1;
      return FOCUS_CLAMP;
    case ACTION_PAGE_DOWN:
      if (PageStepsAllowed(article)) AnimatedMove(ArticlePageForward, FOCUS_LAST, false);
      return FOCUS_LAST;
    case ACTION_PAGE_UP:
      if (PageStepsAllowed(article)) AnimatedMove(ArticlePageBack, FOCUS_FIRST, false);
      return FOCUS_FIRST;
    case ACTION_FIRST_PAGE:
      if (AnyScrolling(article)) AnimatedMove(ArticleHome, FOCUS_FIRST, true);
      return FOCUS_FIRST;
    case ACTION_LAST_PAGE:
      if (AnyScrolling(article)) AnimatedMove(ArticleEnd, FOCUS_LAST, true);
      return FOCUS_LAST;
    case ACTION_NEXT_LINK: StepLinkFocus(1); return FOCUS_CLAMP;
    case ACTION_PREV_LINK: StepLinkFocus(-1); return FOCUS_CLAMP;
    default: return FOCUS_CLAMP;
  }
}

void ReadInput() {
  PanelEngine.PendingAction = ACTION_NONE;
  ReadWheel(*CurrentArticle);
  ReadKeys();
  ReadScrollButtons();
}
