// The panels as the pages' frame: each panel's top and bottom strips as
// pictures around the article, scaled down as a whole on a narrow screen, its buttons where the web
// has an equivalent, and its progress bar. Every page carries every panel's frame, and the body's
// class "pN" shows panel N's (a "PAN:N" link switches it).
#pragma once

#include <string>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

// Writes the strips, middle backgrounds and bars under "frame/", and
// returns the CSS rules that show one panel's frame at a time, with the
// page's title in its title box.
std::string WritePanelFrames(Site& site, RenderResources& loaded);

// The frames' strips of every panel for page: the top ones, or the bottom ones.
std::string PanelStrips(const RenderResources& loaded, const std::string& page, bool top);
