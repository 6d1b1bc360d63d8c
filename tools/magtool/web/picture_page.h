// The page a "PIX:" link opens: the picture alone at the top left of the
// article's place, on black as the reader's picture view shows it, in the
// frame every page shares, so that the music and the panel's buttons stay.
#pragma once

#include <string>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

std::string PicturePageHtml(const Site& site, const RenderResources& loaded,
                            const std::string& page, const PicturePage& picture);
