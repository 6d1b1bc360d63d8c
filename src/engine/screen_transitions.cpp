#include "engine/screen_transitions.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "articles/article_links.h"
#include "base/clock.h"
#include "base/setup_config.h"
#include "engine/engine.h"
#include "engine/frame_pacing.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/present.h"
#include "engine/shutdown_signals.h"
#include "engine/video.h"
#include "resources/draw.h"
#include "widgets/transitions.h"

namespace {

void ApplyFocusRule(Article& article, int32_t rule) {
  PanelEngineState& state = PanelEngine;
  if (state.MouseAwake || rule == FOCUS_KEEP) return;
  if (rule == FOCUS_CLAMP && state.JustSlept) rule = FOCUS_FIRST;
  if (rule == FOCUS_FIRST || rule == FOCUS_LAST) {
    state.LinkFocus = rule == FOCUS_FIRST ? ArticleFirstVisibleHotspot(article)
                                          : ArticleLastVisibleHotspot(article);
    if (state.LinkFocus != -1) ArticleSelectHotspot(article, state.LinkFocus);
    state.JustSlept = 0;
    return;
  }
  const int32_t first = ArticleFirstVisibleHotspot(article);
  const int32_t last = ArticleLastVisibleHotspot(article);
  if (first == -1 || last == -1) return;
  state.LinkFocus = std::clamp(state.LinkFocus, first, last);
  ArticleSelectHotspot(article, state.LinkFocus);
}

// A shutdown signal cuts the animation short: it may last up to ten seconds.
bool Animating(float t) { return t < 1.0f && !ShutdownRequested(); }

float Elapsed(uint32_t start, int32_t duration) {
  return static_cast<float>(EngineTicks() - start) / static_cast<float>(duration);
}

struct Effect {
  ScrollStyles kind;  // whose renderer runs; dissolve also when forced
  int32_t variant;  // slide variant or page-turn direction
};

Effect ChooseEffect(const Article& article, ArticleScroll old) {
  const int32_t style = PanelEngine.ScrollStyle;
  const bool backward = article.scrollY < old.scrollY;
  if ((PanelEngine.OffPage && style == SCROLL_SLIDE) || style == SCROLL_DISSOLVE) {
    return {SCROLL_DISSOLVE, 0};
  }
  if (style == SCROLL_CROSSFADE) return {SCROLL_CROSSFADE, 0};
  if (style == SCROLL_PAGE_TURN) return {SCROLL_PAGE_TURN, backward ? 1 : 0};
  if (article.twoColumns && article.spreadSingleStep) {
    return {SCROLL_SLIDE, backward ? SLIDE_COLUMN_BACK : SLIDE_COLUMN_FORWARD};
  }
  return {SCROLL_SLIDE, backward ? SLIDE_BACK : SLIDE_FORWARD};
}

void DrawEffect(const Effect& effect, Article& article, ArticleScroll old, float t) {
  Panel& panel = *CurrentPanel;
  switch (effect.kind) {
    case SCROLL_DISSOLVE: PlasmaFrame(panel, t, BackBuffer, PlasmaImage); break;
    case SCROLL_CROSSFADE: CrossfadeFrame(panel, t, BackBuffer); break;
    case SCROLL_PAGE_TURN: PageTurnFrame(panel, t, BackBuffer, effect.variant); break;
    default:
      SlideFrame(panel, article, effect.variant, old, ArticleGetScroll(article), t, BackBuffer);
      break;
  }
}

void SwapScreens() {
  const size_t count = size_t{SCREEN_WIDTH} * SCREEN_HEIGHT;
  std::swap_ranges(BackBuffer.pixels, BackBuffer.pixels + count, SavedScreen.pixels);
}

}  // namespace

void PanelDissolveStep(float t) {
  const auto threshold = static_cast<uint8_t>(t * 256.0f);
  const size_t count = size_t{SCREEN_WIDTH} * SCREEN_HEIGHT;
  const uint8_t* order = PlasmaImage.pixels;
  const uint32_t* next = SavedScreen.pixels;
  uint32_t* screen = BackBuffer.pixels;
  for (size_t i = 0; i < count; ++i) {
    if (order[i] <= threshold) screen[i] = next[i];
  }
}

void CopyScreen(const Picture& from, Picture& to) {
  FastCopy(from.pixels, to.pixels, SCREEN_WIDTH * SCREEN_HEIGHT * 4);
}

bool RelockBackBuffer() {
  if (!LockBackBuffer()) return false;
  Presentation.PresentedThisFrame = 0;
  return true;
}

bool BackBufferReady() {
  return BackBufferSurface == nullptr || Presentation.BackBufferLocked != 0;
}

void RefreshView(int32_t rule, int32_t mode) {
  Panel& panel = *CurrentPanel;
  Article& article = *CurrentArticle;
  ArticleSetView(article, panel.oldPage);
  PanelSetMouse(panel, Mouse.x, Mouse.y);
  ArticleClearHover(article);
  ApplyFocusRule(article, rule);
  const int32_t hover = PanelEngine.MouseAwake && rule != FOCUS_KEEP ? 1 : 0;
  if (mode == VIEW_DRAW) {
    PanelDrawArticle(panel, &article, hover, BackBuffer);
    PanelDrawChrome(panel, &article, BackBuffer, 0, 0.0f, 0.0f, 0.0f);
  } else {
    PanelRenderPage(panel, &article, mode == VIEW_CAPTURE_OLD ? 0 : 1, hover);
  }
}

void AnimateScroll(ArticleScroll old, float from) {
  Article& article = *CurrentArticle;
  if (article.scrollY == old.scrollY) return;
  const Effect effect = ChooseEffect(article, old);
  const bool halfTime =
      effect.kind == SCROLL_SLIDE &&
      (effect.variant == SLIDE_COLUMN_BACK || effect.variant == SLIDE_COLUMN_FORWARD);
  const int32_t duration = halfTime ? Setup.ScrollFadeTime / 2 : Setup.ScrollFadeTime;
  RunPageAnimation([&](float t) { DrawEffect(effect, article, old, t); }, from,
                   ArticleScrollFraction(article), duration);
}

void RunPageAnimation(const std::function<void(float)>& drawEffect, float from, float to,
                      int32_t duration) {
  Panel& panel = *CurrentPanel;
  const uint32_t start = EngineTicks();
  for (float t = 0.01f; Animating(t); t = Elapsed(start, duration)) {
    drawEffect(t);
    PanelSetMouse(panel, Mouse.x, Mouse.y);
    PanelDrawChrome(panel, CurrentArticle.get(), BackBuffer, 1, t, from, to);
    Present();
    WaitForNextFrame();
    if (!RelockBackBuffer()) return;
  }
}

void PanelDissolve() {
  PanelEngine.PanelSwitchPending = 0;
  const uint32_t start = EngineTicks();
  SwapScreens();
  bool first = true;
  for (float t = 0.01f; Animating(t); t = Elapsed(start, Setup.ScrollFadeTime)) {
    if (!first && Setup.SoftCursor == 1 && BackBufferSurface != nullptr) HideEngineCursor();
    first = false;
    PanelDissolveStep(t);
    Present();
    WaitForNextFrame();
    if (!RelockBackBuffer()) return;
  }
}
