#include <algorithm>

#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/clock.h"
#include "engine/mouse_wheel.h"
#include "engine/panel_steps.h"
#include "engine/reader_state.h"
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
void AnimatedMove(Reader& reader, void (*move)(Article&), int32_t newRule, bool wholeArticle) {
  Article& article = *reader.CurrentArticle;
  const ArticleScroll old = ArticleGetScroll(article);
  const float from = ArticleScrollFraction(article);
  if (reader.PanelEngine.ScrollStyle == SCROLL_INSTANT) {
    move(article);
    return;
  }
  RefreshView(reader, FOCUS_CLAMP, VIEW_CAPTURE_OLD);
  move(article);
  RefreshView(reader, newRule, VIEW_CAPTURE_NEW);
  if (wholeArticle) reader.PanelEngine.OffPage = 1;
  AnimateScroll(reader, old, from);
  reader.PanelEngine.OffPage = 0;
}

// Moves the focus off every piece of the focused link, staying among the
// visible links.
void StepLinkFocus(const Article& article, int32_t& linkFocus, int32_t direction) {
  const int32_t first = ArticleFirstVisibleHotspot(article);
  const int32_t last = ArticleLastVisibleHotspot(article);
  if (first == -1 || last == -1) return;
  int32_t focus = std::clamp(linkFocus, first, last);
  const int32_t id = ArticleHotspotId(article, focus);
  for (int32_t next = focus + direction; next >= first && next <= last; next += direction) {
    focus = next;
    if (ArticleHotspotId(article, next) != id) break;
  }
  linkFocus = focus;
}

void ReadWheel(const Article& article, PanelActions& action) {
  const int32_t wheel = MouseWheelGet();
  MouseWheelSet(0);
  if (wheel < 0) action = article.lineScroll ? ACTION_LINE_DOWN : ACTION_PAGE_DOWN;
  if (wheel > 0) action = article.lineScroll ? ACTION_LINE_UP : ACTION_PAGE_UP;
}

// Each key read overrides the ones before; pressed flags are read (and so
// cleared) whether or not an earlier one matched.
void ReadKeys(KeyState& keys, PanelActions& action) {
  if (KeyLineDown(keys)) action = ACTION_LINE_DOWN;
  if (KeyLineUp(keys)) action = ACTION_LINE_UP;
  if ((KeyPageDown(keys) | KeyPageDown2(keys)) != 0) action = ACTION_PAGE_DOWN;
  if ((KeyPageUp(keys) | KeyPageUp2(keys)) != 0) action = ACTION_PAGE_UP;
  if (KeyFirstPage(keys)) action = ACTION_FIRST_PAGE;
  if (KeyLastPage(keys)) action = ACTION_LAST_PAGE;
  if (KeyNextLink(keys)) action = ACTION_NEXT_LINK;
  if (KeyPrevLink(keys)) action = ACTION_PREV_LINK;
}

// Line buttons repeat while held; page buttons act once per click.
void ReadScrollButtons(Reader& reader) {
  MouseState& mouse = reader.Mouse;
  if ((mouse.buttons & MOUSE_LEFT) == 0) return;
  PanelActions& action = reader.PanelEngine.PendingAction;
  switch (PanelHitTest(*reader.CurrentPanel)) {
    case COMMAND_LINE_UP:
      action = ACTION_LINE_UP;
      break;
    case COMMAND_LINE_DOWN:
      action = ACTION_LINE_DOWN;
      break;
    case COMMAND_PAGE_UP:
      action = ACTION_PAGE_UP;
      mouse.buttons &= ~MOUSE_LEFT;
      break;
    case COMMAND_PAGE_DOWN:
      action = ACTION_PAGE_DOWN;
      mouse.buttons &= ~MOUSE_LEFT;
      break;
    default:
      break;
  }
}

}  // namespace

void MouseSleep(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  const MouseState& mouse = reader.Mouse;
  const auto delay = static_cast<uint32_t>(reader.Setup.MouseSleepDelay);
  const bool held = (mouse.buttons & (MOUSE_LEFT | MOUSE_RIGHT)) != 0;
  if (mouse.x == state.LastMouseX && mouse.y == state.LastMouseY && !held) {
    if (state.MouseAwake && EngineTicks() - state.LastMouseMoveTicks >= delay) {
      state.JustSlept = 1;
      state.MouseAwake = 0;
      HideEngineCursor(reader);
    }
    return;
  }
  state.MouseAwake = 1;
  state.LastMouseX = mouse.x;
  state.LastMouseY = mouse.y;
  state.LastMouseMoveTicks = EngineTicks();
  if (!state.KeepCursorHidden) ShowEngineCursor(reader);
}

int32_t PerformPendingAction(Reader& reader) {
  Article& article = *reader.CurrentArticle;
  PanelEngineState& state = reader.PanelEngine;
  const PanelActions action = state.PendingAction;
  state.PendingAction = ACTION_NONE;
  switch (action) {
    case ACTION_LINE_DOWN:
    case ACTION_LINE_UP:
      if (article.lineScroll) {
        (action == ACTION_LINE_DOWN ? ArticleLineForward : ArticleLineBack)(article);
      }
      state.OffPage = 1;
      return FOCUS_CLAMP;
    case ACTION_PAGE_DOWN:
      if (PageStepsAllowed(article)) AnimatedMove(reader, ArticlePageForward, FOCUS_LAST, false);
      return FOCUS_LAST;
    case ACTION_PAGE_UP:
      if (PageStepsAllowed(article)) AnimatedMove(reader, ArticlePageBack, FOCUS_FIRST, false);
      return FOCUS_FIRST;
    case ACTION_FIRST_PAGE:
      if (AnyScrolling(article)) AnimatedMove(reader, ArticleHome, FOCUS_FIRST, true);
      return FOCUS_FIRST;
    case ACTION_LAST_PAGE:
      if (AnyScrolling(article)) AnimatedMove(reader, ArticleEnd, FOCUS_LAST, true);
      return FOCUS_LAST;
    case ACTION_NEXT_LINK:
      StepLinkFocus(article, state.LinkFocus, 1);
      return FOCUS_CLAMP;
    case ACTION_PREV_LINK:
      StepLinkFocus(article, state.LinkFocus, -1);
      return FOCUS_CLAMP;
    default:
      return FOCUS_CLAMP;
  }
}

void ReadInput(Reader& reader) {
  PanelActions& action = reader.PanelEngine.PendingAction;
  action = ACTION_NONE;
  ReadWheel(*reader.CurrentArticle, action);
  ReadKeys(reader.KeyFlags, action);
  ReadScrollButtons(reader);
}
