#include "magtool/web/link_html.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "articles/link_targets.h"
#include "magtool/web/site_paths.h"

namespace {

std::string Href(const std::string& page, const std::string& name) {
  return name.empty() ? std::string() : " href=\"" + Relative(page, name) + "\"";
}

// A web or mail address, which the reader hands to the system's opener as it is.
bool IsAddress(const std::string& argument) {
  for (const char* scheme : {"http://", "https://", "mailto:"}) {
    const size_t length = std::strlen(scheme);
    if (argument.size() > length && strncasecmp(argument.c_str(), scheme, length) == 0) return true;
  }
  return false;
}

// The panel the reader switches to: the number as it reads it, wrapped around
// the panels; none for a number it cannot read.
std::string PanelAttributes(const Site& site, const std::string& argument) {
  const std::optional<int32_t> panel = LinkedPanel(argument, site.panelCount);
  if (!panel) {
    std::fprintf(stderr, "magtool: warning: PAN:%s is no panel number; it is left unlinked\n",
                 argument.c_str());
    return {};
  }
  return " href=\"#\" data-panel=\"" + std::to_string(*panel) + "\"";
}

}  // namespace

LinkHtml LinkAttributes(Site& site, const std::string& page, const LinkEntry& target) {
  const std::string& argument = target.argument;
  LinkHtml link{true, {}, PlainAlt(target.alt)};
  switch (target.kind) {
    case LinkKind::Article:
      link.attributes = Href(page, PageName(argument));
      break;
    case LinkKind::Picture: {
      // The reader shows the picture on the screen alone; here a page of the frame, with the
      // player.
      const std::string picture = SitePicture(site, argument, nullptr);
      if (!picture.empty()) {
        site.picturePages.emplace(picture + ".html", PicturePage{picture, link.alt});
        link.attributes = Href(page, picture + ".html");
      }
      break;
    }
    case LinkKind::Document: {
      // The reader hands it to the system's opener: on the web, a tab of its own.
      const std::string href = IsAddress(argument) ? " href=\"" + HtmlText(argument) + "\""
                                                   : Href(page, SiteDocument(site, argument));
      if (!href.empty()) link.attributes = href + " target=\"_blank\" rel=\"noopener\"";
      break;
    }
    case LinkKind::Panel:
      link.attributes = PanelAttributes(site, argument);
      break;
    case LinkKind::Music:
      link.attributes = " href=\"#\" data-tune=\"" + HtmlText(argument) + "\"";
      break;
    case LinkKind::Other:
      break;
  }
  link.anchor = !link.attributes.empty();
  if (!link.alt.empty()) link.attributes += " title=\"" + link.alt + "\"";
  return link;
}
