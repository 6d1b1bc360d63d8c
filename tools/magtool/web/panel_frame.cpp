#include "magtool/web/panel_frame.h"

#include "engine/panel_engine.h"
#include "magtool/web/closing_page.h"
#include "magtool/web/panel_chains.h"
#include "magtool/web/site_paths.h"
#include "widgets/panel.h"

namespace {

std::string Px(int32_t value) { return std::to_string(value) + "px"; }

std::string PanelFile(int number, const char* part) {
  return "frame/" + std::to_string(number) + "-" + part + ".png";
}

// What a button does on a page, as an anchor's attributes and its label;
// empty for a button with no equivalent. The tune commands go to the player.
std::pair<std::string, std::string> ButtonAction(int32_t command, const std::string& page) {
  const auto to = [&](const std::string& name) { return " href=\"" + Relative(page, name) + "\""; };
  const auto tune = [](const char* action) {
    return std::string(" href=\"#\" data-do=\"") + action + "\"";
  };
  if (command >= COMMAND_TUNE_0 && command <= COMMAND_TUNE_3) {
    const std::string entry = std::to_string(command - COMMAND_TUNE_0);
    return {tune("tune") + " data-entry=\"" + entry + "\"",
            "Tune " + std::to_string(command - COMMAND_TUNE_0 + 1)};
  }
  switch (command) {
    case COMMAND_QUIT:
      return {to(CLOSING_PAGE), "Exit"};
    case COMMAND_HELP:
      return {to(PageName(HELP_ARTICLE)), "Help"};
    case COMMAND_MENU:
      return {to(PageName(MENU_ARTICLE)), "Main menu"};
    case COMMAND_INDEX:
      return {to(PageName(FIRST_ARTICLE)), "Contents"};
    case COMMAND_BACK:
      return {" href=\"#\" data-cmd=\"back\"", "Back"};
    case COMMAND_PAGE_UP:
      return {" href=\"#\" data-cmd=\"pageup\"", "Page up"};
    case COMMAND_PAGE_DOWN:
      return {" href=\"#\" data-cmd=\"pagedown\"", "Page down"};
    case COMMAND_LINE_UP:
      return {" href=\"#\" data-cmd=\"lineup\"", "Line up"};
    case COMMAND_LINE_DOWN:
      return {" href=\"#\" data-cmd=\"linedown\"", "Line down"};
    case COMMAND_NEXT_TUNE:
      return {tune("next"), "Next tune"};
    case COMMAND_PREV_TUNE:
      return {tune("prev"), "Previous tune"};
    case COMMAND_SILENCE:
      return {tune("silence"), "Silence"};
    case COMMAND_PLAYLIST:
      return {tune("playlist"), "Play the tunes in turn"};
    default:
      return {};
  }
}

// Anything of the panel between rows from and to, placed within the strip.
std::string StripContents(const Panel& panel, const Picture& strip, const std::string& page,
                          int number, int32_t from) {
  const int32_t to = from + strip.height;
  std::string html = ChainsHtml(panel, strip, page, number, from);
  for (auto it = panel.buttons.rbegin(); it != panel.buttons.rend(); ++it) {
    const Picture& image = it->animated != 0 && !it->frames.empty() ? it->frames[0] : it->image;
    const auto [attributes, label] = ButtonAction(it->command, page);
    if (label.empty() || it->y < from || it->y + image.height > to) continue;
    html += "<a class=\"btn\"" + attributes + " title=\"" + label + "\" aria-label=\"" + label +
            "\" style=\"" + StripPlace(it->x, it->y - from, image.width, image.height, strip) +
            "\"></a>";
  }
  if (panel.hasProgressBar != 0 && panel.barY >= from && panel.barY + panel.bar.height <= to) {
    const int32_t half = panel.bar.width / 2;
    html += "<div class=\"bar\" style=\"" +
            StripPlace(panel.barX, panel.barY - from, half, panel.bar.height, strip) +
            ";background-image:url(" + Relative(page, PanelFile(number, "bar")) + ")\"></div>";
  }
  return html;
}

}  // namespace

std::string WritePanelFrames(Site& site, RenderResources& loaded) {
  std::string css;
  for (int n = 0; n < loaded.panelCount; ++n) {
    const Panel* panel = loaded.panels[n].get();
    if (panel == nullptr) continue;
    const std::string p = ".p" + std::to_string(n);
    if (panel->hasTop != 0) SiteScreenPicture(site, PanelFile(n, "top"), panel->top);
    if (panel->hasBottom != 0) SiteScreenPicture(site, PanelFile(n, "bottom"), panel->bottom);
    if (panel->hasProgressBar != 0) SiteScreenPicture(site, PanelFile(n, "bar"), panel->bar);
    SiteScreenPicture(site, PanelFile(n, "middle"), panel->middle);
    WriteChainSheets(site, *panel, n);
    css += "body:not(" + p + ") .f" + std::to_string(n) + "{display:none}\n";
    css += p + " main{background-image:url(" + PanelFile(n, "middle") +
           ");min-height:" + Px(panel->middle.height) + "}\n" + p +
           " .art{margin-left:" + Px(panel->textX) + "}\n";
    // The title box lies on the top strip; a panel without either shows no title.
    if (panel->hasTitleBox != 0 && panel->hasTop != 0) {
      css += p + " .title{" +
             StripPlace(panel->titleX, panel->titleY, panel->titleBox.width, panel->titleBox.height,
                        panel->top) +
             "}\n";
    } else {
      css += p + " .title{display:none}\n";
    }
  }
  return css;
}

std::string PanelStrips(const RenderResources& loaded, const std::string& page, bool top) {
  std::string html;
  for (int n = 0; n < loaded.panelCount; ++n) {
    const Panel* panel = loaded.panels[n].get();
    if (panel == nullptr || (top ? panel->hasTop : panel->hasBottom) == 0) continue;
    const Picture& strip = top ? panel->top : panel->bottom;
    const int32_t from = top ? 0 : PanelTopHeight(*panel) + panel->middle.height;
    html += "<div class=\"strip f" + std::to_string(n) +
            "\" style=\"aspect-ratio:" + std::to_string(strip.width) + "/" +
            std::to_string(strip.height) + ";background-image:url(" +
            Relative(page, PanelFile(n, top ? "top" : "bottom")) + ")\">" +
            StripContents(*panel, strip, page, n, from) + "</div>\n";
  }
  return html;
}
