// The article's title as the panel's title box shows it: in the reader's
// face, colours and baseline; a title wider than a panel's box scrolls across
// it on that panel, as the reader's marquee does.
#pragma once

#include <string>

#include "articles/article.h"
#include "magtool/render_session.h"
#include "magtool/web/site.h"

struct TitleHtml {
  std::string text;    // the h1's content; empty for an article without a title
  std::string styles;  // the page's rules for the marquee
};

TitleHtml ArticleTitleHtml(Site& site, const RenderResources& loaded, const Article& article);
