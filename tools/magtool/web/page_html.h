// One page of the site: an article with its title, author and keywords in
// the head, in the site's frame; the contents page also carries the opening
// cover, which "index.html#read" passes over.
#pragma once

#include <string>

#include "articles/article.h"
#include "magtool/render_session.h"
#include "magtool/web/site.h"

struct PageParts {
  std::string page;    // its name from the site's root
  std::string path;    // the article's path in the issue
  bool cover = false;  // whether the opening cover stands before it
};

std::string PageHtml(Site& site, RenderResources& loaded, const Article& article,
                     const PageParts& parts);
