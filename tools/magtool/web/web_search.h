// The search on the web: search.html (a search box and the results,
// in the site's frame), search.js, which scores as the reader's search box
// does, and search-index.js, the index the reader builds from its search
// list: each listed article's path, page, title, author and keywords, in the
// list's order, as UTF-8.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "magtool/render_session.h"
#include "magtool/web/site.h"

// Writes search.js and search-index.js into site, reading the index through
// the archive places in use (the index's fatal errors are the reader's own). page gives
// the site-relative page of an article path ("DATA/arts/x.art" -> "x.html").
// The reason, naming the file, when a file cannot be written; else nothing.
std::optional<std::string> WriteWebSearch(
    const SiteFolder& site, const std::function<std::string(const std::string&)>& page);

// search.html, which loads search-index.js, then search.js.
std::string SearchPageHtml(const Site& site, const RenderResources& loaded);
