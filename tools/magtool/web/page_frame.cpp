#include "magtool/web/page_frame.h"

#include "magtool/web/panel_frame.h"
#include "magtool/web/site_paths.h"
#include "magtool/web/web_engine.h"
#include "magtool/web/web_player.h"

std::string FramedPage(const Site& site, const RenderResources& loaded, const FramedParts& parts) {
  const auto root = [&](const std::string& name) { return Relative(parts.page, name); };
  std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  html += "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n";
  if (!site.icon.empty()) html += "<link rel=\"icon\" href=\"" + root(site.icon) + "\">\n";
  for (const char* sheet : {"site.css", "issue.css"}) {
    html += "<link rel=\"stylesheet\" href=\"" + root(sheet) + "\">\n";
  }
  html += PlayerHead(root("")) + parts.head + "</head>\n<body class=\"p0\">\n" + parts.before;
  std::string links;
  if (site.engine && !parts.article.empty()) {
    links = "<a href=\"" + EngineLink(parts.page, parts.article) +
            "\" title=\"This article in the magazine's own reader\">In the reader</a>";
  }
  links += "<a href=\"" + root("search.html") + "\">Search</a>";
  html += "<header>\n<div class=\"tools\">" + PlayerNav(site.music, root("")) +
          "<span class=\"go\">" + links + "</span></div>\n<div class=\"top\">\n" +
          PanelStrips(loaded, parts.page, true) + parts.heading + "</div>\n</header>\n";
  html += "<main>\n" + parts.main + "</main>\n";
  html += "<footer>\n" + PanelStrips(loaded, parts.page, false) + "</footer>\n";
  for (const std::string& name : parts.scripts) {
    html += "<script src=\"" + root(name) + "\"></script>\n";
  }
  return html + "<script src=\"" + root("site.js") + "\"></script>\n</body>\n</html>\n";
}
