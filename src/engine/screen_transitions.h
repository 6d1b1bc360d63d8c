// Redrawing the panel view with the article, and the timed transitions: the
// animated page change in the selected scroll style and the full-screen
// dissolve used when the whole screen changes. Each transition draws,
// presents and re-locks until ScrollFadeTime has passed.
#pragma once

#include <cstdint>
#include <functional>

#include "articles/article_view.h"
#include "pictures/picture.h"

struct Reader;

// How RefreshView treats the keyboard focus while the mouse sleeps.
enum FocusRules {
  FOCUS_KEEP = 1,   // keyboard mode, focus unchanged
  FOCUS_FIRST = 2,  // the first visible link
  FOCUS_LAST = 3,   // the last visible link
  FOCUS_CLAMP = 4,  // first after falling asleep, else kept inside the visible links
};

enum ViewModes { VIEW_DRAW = 0, VIEW_CAPTURE_OLD = 1, VIEW_CAPTURE_NEW = 2 };

// Relayout, focus, and draw into BackBuffer or render into the panel's
// oldPage or newPage.
void RefreshView(Reader& reader, int32_t rule, int32_t mode);

// Animates a page change already applied to the current article, from the
// position old with scroll fraction from; nothing when the article did not move.
void AnimateScroll(Reader& reader, ArticleScroll old, float from);

// The loop of a page animation: from t = 0.01 until duration ms have passed,
// drawEffect(t) into the middle area, then the chrome with the progress bar
// gliding from `from` to `to`, presented; a failed re-lock ends it.
void RunPageAnimation(Reader& reader, const std::function<void(float)>& drawEffect, float from,
                      float to, int32_t duration);

// SavedScreen holds the old screen and BackBuffer the new one: dissolves
// through PlasmaImage, taking pixels whose plasma byte is at most the threshold.
void PanelDissolve(Reader& reader);

// One step of it at progress t: BackBuffer pixels whose plasma byte is at most
// trunc(t * 256) take SavedScreen's.
void PanelDissolveStep(Reader& reader, float t);

// Inside an animation loop, after a Present: locks again and clears the
// presented mark so that the next step is shown. False when the lock fails.
bool RelockBackBuffer(Reader& reader);

// False when a failed re-lock has left a surface back buffer unlocked: the
// frame must not draw any more.
bool BackBufferReady(const Reader& reader);

// One whole 640x480 screen from one picture into another.
void CopyScreen(const Picture& from, Picture& to);
