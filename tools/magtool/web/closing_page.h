// The site's closing, where a panel's EXIT leads: the closing cover fading
// in, then the credits scrolling up over its right part once, as the
// reader's end scroller does; their words (DATA/panels/EndScroll.txt, when
// the issue has it) stand in the page for screen readers.
#pragma once

#include <string>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

constexpr const char* CLOSING_PAGE = "closing.html";

std::string ClosingPageHtml(Site& site, const RenderResources& loaded);
