#include "engine/screen_transitions.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "articles/article_links.h"
#include "base/clock.h"
#include "engine/reader_state.h"
#include "pictures/draw.h"
#include "platform/shutdown_signals.h"
#include "widgets/transitions.h"

namespace {

void ApplyFocusRule(PanelEngineState& state, Article& article, int32_t rule) {
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
  int32_t variant;    // slide variant or page-turn direction
};

Effect ChooseEffect(const PanelEngineState& state, const Article& article, ArticleScroll old) {
  const ScrollStyles style = state.ScrollStyle;
  const bool backward = article.scrollY < old.scrollY;
  if ((state.OffPage && style == SCROLL_SLIDE) || style == SCROLL_DISSOLVE) {
    return {SCROLL_DISSOLVE, 0};
  }
  if (style == SCROLL_CROSSFADE) return {SCROLL_CROSSFADE, 0};
  if (style == SCROLL_PAGE_TURN) return {SCROLL_PAGE_TURN, backward ? 1 : 0};
  if (article.twoColumns && article.spreadSingleStep) {
    return {SCROLL_SLIDE, backward ? SLIDE_COLUMN_BACK : SLIDE_COLUMN_FORWARD};
  }
  return {SCROLL_SLIDE, backward ? SLIDE_BACK : SLIDE_FORWARD};
}

void DrawEffect(Reader& reader, const Effect& effect, Article& article, ArticleScroll old,
                float t) {
  Panel& panel = *reader.CurrentPanel;
  Picture& screen = reader.BackBuffer;
  switch (effect.kind) {
    case SCROLL_DISSOLVE:
      PlasmaFrame(panel, t, screen, reader.PlasmaImage);
      break;
    case SCROLL_CROSSFADE:
      CrossfadeFrame(panel, t, screen);
      break;
    case SCROLL_PAGE_TURN:
      PageTurnFrame(panel, t, screen, effect.variant);
      break;
    default:
      SlideFrame(panel, article, effect.variant, old, ArticleGetScroll(article), t, screen);
      break;
  }
}

void SwapScreens(Picture& backBuffer, Picture& savedScreen) {
  const size_t count = size_t{SCREEN_WIDTH} * SCREEN_HEIGHT;
  std::swap_ranges(backBuffer.pixels, backBuffer.pixels + count, savedScreen.pixels);
}

}  // namespace

void PanelDissolveStep(Reader& reader, float t) {
  const auto threshold = static_cast<uint8_t>(t * 256.0f);
  const size_t count = size_t{SCREEN_WIDTH} * SCREEN_HEIGHT;
  const uint8_t* order = reader.PlasmaImage.pixels;
  const uint32_t* next = reader.SavedScreen.pixels;
  uint32_t* screen = reader.BackBuffer.pixels;
  for (size_t i = 0; i < count; ++i) {
    if (order[i] <= threshold) screen[i] = next[i];
  }
}

void CopyScreen(const Picture& from, Picture& to) {
  FastCopy(from.pixels, to.pixels, SCREEN_WIDTH * SCREEN_HEIGHT * 4);
}

bool RelockBackBuffer(Reader& reader) {
  if (!LockBackBuffer(reader)) return false;
  reader.Presentation.PresentedThisFrame = 0;
  return true;
}

bool BackBufferReady(const Reader& reader) {
  return reader.BackBufferSurface == nullptr || reader.Presentation.BackBufferLocked != 0;
}

void RefreshView(Reader& reader, int32_t rule, int32_t mode) {
  Panel& panel = *reader.CurrentPanel;
  Article& article = *reader.CurrentArticle;
  ArticleSetView(article, panel.oldPage);
  PanelSetMouse(panel, reader.Mouse.x, reader.Mouse.y);
  ArticleClearHover(article);
  ApplyFocusRule(reader.PanelEngine, article, rule);
  const int32_t hover = reader.PanelEngine.MouseAwake && rule != FOCUS_KEEP ? 1 : 0;
  if (mode == VIEW_DRAW) {
    PanelDrawArticle(panel, &article, hover, reader.BackBuffer);
    PanelDrawChrome(panel, &article, reader.BackBuffer, 0, 0.0f, 0.0f, 0.0f);
  } else {
    PanelRenderPage(panel, &article, mode == VIEW_CAPTURE_OLD ? 0 : 1, hover);
  }
}

void AnimateScroll(Reader& reader, ArticleScroll old, float from) {
  Article& article = *reader.CurrentArticle;
  if (article.scrollY == old.scrollY) return;
  const Effect effect = ChooseEffect(reader.PanelEngine, article, old);
  const bool halfTime = effect.kind == SCROLL_SLIDE && (effect.variant == SLIDE_COLUMN_BACK ||
                                                        effect.variant == SLIDE_COLUMN_FORWARD);
  const int32_t fadeTime = reader.Setup.ScrollFadeTime;
  const int32_t duration = halfTime ? fadeTime / 2 : fadeTime;
  RunPageAnimation(
      reader, [&](float t) { DrawEffect(reader, effect, article, old, t); }, from,
      ArticleScrollFraction(article), duration);
}

void RunPageAnimation(Reader& reader, const std::function<void(float)>& drawEffect, float from,
                      float to, int32_t duration) {
  Panel& panel = *reader.CurrentPanel;
  const uint32_t start = EngineTicks();
  for (float t = 0.01f; Animating(t); t = Elapsed(start, duration)) {
    drawEffect(t);
    PanelSetMouse(panel, reader.Mouse.x, reader.Mouse.y);
    PanelDrawChrome(panel, reader.CurrentArticle.get(), reader.BackBuffer, 1, t, from, to);
    Present(reader);
    WaitForNextFrame(reader.Pacing);
    if (!RelockBackBuffer(reader)) return;
  }
}

void PanelDissolve(Reader& reader) {
  const SetupConfig& setup = reader.Setup;
  reader.PanelEngine.PanelSwitchPending = 0;
  const uint32_t start = EngineTicks();
  SwapScreens(reader.BackBuffer, reader.SavedScreen);
  bool first = true;
  for (float t = 0.01f; Animating(t); t = Elapsed(start, setup.ScrollFadeTime)) {
    if (!first && setup.SoftCursor == 1 && reader.BackBufferSurface != nullptr) {
      HideEngineCursor(reader);
    }
    first = false;
    PanelDissolveStep(reader, t);
    Present(reader);
    WaitForNextFrame(reader.Pacing);
    if (!RelockBackBuffer(reader)) return;
  }
}
