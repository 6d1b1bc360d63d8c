// What an editor measures a page against, drawn over a render: the panel's
// text area (cyan), the right limit of justified text (magenta) and each
// picture's box (yellow), all clipped to the article's view.
#pragma once

#include "articles/article.h"
#include "widgets/panel.h"

void DrawOutline(const Panel& panel, const Article& article, Picture& screen);
