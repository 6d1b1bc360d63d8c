// The TrueType faces of the fonts list in the site: each its own CSS
// family (f0, f1, ...) served as WOFF2 with font-display:swap, so that the
// text shows at once in the closest local face and takes its own when it
// arrives. A face is cut down to the characters the pages set in it where
// its licence allows (face_tables.h), else it goes whole; one whose licence
// forbids embedding stays out, its text in the local face. No face is
// preloaded: on a slow link it would take the bandwidth that the style
// sheets and the cover need first, and the text shows without it.
#pragma once

#include <string>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

// The faces in site.faces, before the pages, which set text in them.
void ListFaces(Site& site, const RenderResources& loaded);

// The faces the pages drew in, written; their @font-face rules.
std::string WriteFaces(Site& site);
