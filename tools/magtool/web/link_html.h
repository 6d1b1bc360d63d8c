// A link target of an article as the attributes of an HTML anchor: "ART:" a
// page of the site, "PIX:" a framed page of the picture (noted in the site's
// picturePages), "EXE:" a web or mail address
// or the document copied into the site, in a new tab, "PAN:" (its number
// wrapped around the panels, as the reader takes it) and "MSX:"
// anchors that the page's script and the player take over. The title box
// text becomes a title tooltip.
#pragma once

#include <string>
#include <string_view>

#include "articles/article.h"
#include "magtool/web/site.h"

struct LinkHtml {
  bool anchor;             // false: the target has no equivalent here
  std::string attributes;  // with a leading space
  std::string alt;         // the title box text, escaped; empty without one
};

LinkHtml LinkAttributes(Site& site, const std::string& page, const LinkEntry& target);
