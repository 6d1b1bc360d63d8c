// The frame every page of the site shares: the head's style sheets and
// player; a bar above the frame with the player, the engine's link and the
// search link; the first panel's strips, with the page's title in the title
// box, around the page's own main part; and the scripts.
#pragma once

#include <string>
#include <vector>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

struct FramedParts {
  std::string page;     // its name from the site's root
  std::string head;     // the page's own head lines, after the sheets: title, meta, style
  std::string before;   // what stands before the frame (the opening cover)
  std::string heading;  // the page's h1, shown in the title box when of class "title"
  std::string main;     // the page's own content
  std::vector<std::string> scripts;  // its own scripts, named from the site's root
  std::string article;  // the article's path in the issue, opened by the engine; or empty
};

std::string FramedPage(const Site& site, const RenderResources& loaded, const FramedParts& parts);
