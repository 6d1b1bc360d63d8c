#include "magtool/web/link_html.h"

#include "articles/link_targets.h"
#include "magtool/web/site_paths.h"

namespace {

std::string Href(const std::string& page, const std::string& name) {
  return name.empty() ? std::string() : " href=\"" + Relative(page, name) + "\"";
}

}  // namespace

LinkHtml LinkAttributes(Site& site, const std::string& page, std::string_view target) {
  const LinkTargetParts parts = SplitLinkTarget(target);
  const std::string argument(parts.argument);
  const std::string_view kind = target.substr(0, 4);
  LinkHtml link{true, {}, PlainAlt(parts.alt)};
  if (kind == "ART:") {
    link.attributes = Href(page, PageName(argument));
  } else if (kind == "PIX:") {
    link.attributes = Href(page, SitePicture(site, argument, nullptr));
  } else if (kind == "EXE:") {
    link.attributes = Href(page, SiteDocument(site, argument));
  } else if (kind == "PAN:") {
    link.attributes = " href=\"#\" data-panel=\"" + HtmlText(argument) + "\"";
  } else if (kind == "MSX:") {
    link.attributes = " href=\"#\" data-tune=\"" + HtmlText(argument) + "\"";
  }
  link.anchor = !link.attributes.empty();
  if (!link.alt.empty()) link.attributes += " title=\"" + link.alt + "\"";
  return link;
}
