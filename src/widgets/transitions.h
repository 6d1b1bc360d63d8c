// Page transitions: each call draws one frame of an effect into the screen's
// page view (the rows below the panel's top strip) while the driver moves
// from one page to another. Plasma, crossfade and page turn mix the panel's
// oldPage and newPage; the slides draw the article's text at two scroll
// positions. Every renderer draws nothing unless 0 < progress < 1.
#pragma once

#include <cstdint>

#include "articles/article_view.h"
#include "pictures/picture.h"
#include "widgets/panel.h"

// Dissolve: newPage pixels whose plasma value is below trunc(progress * 256)
// are copied into oldPage for good, which is then shown. Fatal ("Bad plasma !")
// when the plasma picture is smaller than oldPage.
void PlasmaFrame(Panel& panel, float progress, Picture& screen, const IndexedPicture& plasma);

// oldPage, with newPage blended over it at alpha = progress.
void CrossfadeFrame(const Panel& panel, float progress, Picture& screen);

// A slanted edge sweeps across the view, the back page's strip beside it
// folded up over it. backward 0: right to left, oldPage giving way to
// newPage; 1: left to right, newPage pushing oldPage out. Fatal
// ("Internal !") when the pages do not fit the screen's view.
void PageTurnFrame(const Panel& panel, float progress, Picture& screen, int32_t backward);

enum SlideVariant {
  SLIDE_COLUMN_BACK = 1,  // two columns, one column towards the start
  SLIDE_COLUMN_FORWARD = 2,
  SLIDE_BACK = 3,  // a whole view towards the start
  SLIDE_FORWARD = 4,
};

// The article drawn at from (the position being left) and at to (the target)
// side by side, shifted by progress so that the target reaches the panel's
// textX at 1. The article's scroll position is left as it was. Fatal
// ("Internal !") for an unknown variant.
void SlideFrame(Panel& panel, Article& article, int32_t variant, ArticleScroll from,
                ArticleScroll to, float progress, Picture& screen);
