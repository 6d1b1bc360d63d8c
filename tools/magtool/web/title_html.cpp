#include "magtool/web/title_html.h"

#include "articles/article_links.h"
#include "magtool/web/article_html.h"
#include "magtool/web/site_paths.h"
#include "widgets/panel.h"

namespace {

// One span for each run of characters of one colour.
std::string ColourRuns(const Article& article) {
  std::string html;
  const auto colourAt = [&](size_t i) {
    return i < article.titleColours.size() ? article.titleColours[i]
                                           : static_cast<uint32_t>(article.titleColour);
  };
  for (size_t from = 0; from < article.title.size();) {
    size_t to = from + 1;
    while (to < article.title.size() && colourAt(to) == colourAt(from)) ++to;
    html += "<span style=\"color:" + CssColour(colourAt(from)) + "\">" +
            HtmlText(article.title.substr(from, to - from)) + "</span>";
    from = to;
  }
  return html;
}

}  // namespace

TitleHtml ArticleTitleHtml(Site& site, const RenderResources& loaded, const Article& article) {
  if (article.title.empty()) return {};
  NoteDrawn(site, article, article.titleFont, article.title);
  const int32_t width = ArticleTitleWidth(article);
  const int32_t baseline =
      article.titleFont == nullptr ? TITLE_FIXED_BASELINE : article.titleFont->height;
  TitleHtml html;
  html.text = "<span class=\"l\" style=\"" + FaceStyle(site, article, article.titleFont) +
              ";height:" + std::to_string(baseline) + "px;--w:" + std::to_string(width) + "px\">" +
              ColourRuns(article) + "</span>";
  // From wholly left of the box to wholly right of it, a pixel a step.
  const double seconds = 2.0 * width * MARQUEE_STEP_MS / 1000;
  for (int n = 0; n < loaded.panelCount; ++n) {
    const Panel* panel = loaded.panels[n].get();
    if (panel == nullptr || panel->hasTitleBox == 0 || width <= panel->titleBox.width) continue;
    html.styles += ".p" + std::to_string(n) + " .title .l{animation:marquee " +
                   std::to_string(seconds) + "s linear infinite}\n";
  }
  return html;
}
