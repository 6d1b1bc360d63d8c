#include "magtool/web/closing_page.h"

#include <cstdio>

#include "base/text_encoding.h"
#include "engine/covers.h"
#include "engine/panel_engine.h"
#include "engine/video.h"
#include "magtool/web/page_frame.h"
#include "magtool/web/site_paths.h"
#include "pictures/image_loader.h"
#include "resources/archive.h"
#include "resources/resource_file.h"

namespace {

constexpr size_t CREDITS_MAX = 64 * 1024;

struct ShownPicture {
  std::string name;  // empty when the issue lacks it
  int32_t width = 0;
};

// Drawn opaque, as the reader draws the covers.
ShownPicture ScreenPicture(Site& site, const char* path) {
  if (!ResourceHas(path)) {
    std::fprintf(stderr, "magtool: warning: %s is not in the issue; the closing page lacks it\n",
                 path);
    return {};
  }
  Picture picture{};
  ImageLoader(path, picture);
  ShownPicture shown{PictureName(path), picture.width};
  SiteScreenPicture(site, shown.name, picture);
  PictureFree(picture);
  return shown;
}

// At most CREDITS_MAX bytes of the credits, as the engine's 8-bit
// text (a UTF-8 file converted); empty without them.
std::string CreditsSource() {
  if (!ResourceHas(END_SCROLL_TEXT)) return {};
  const ResourceFile member(END_SCROLL_TEXT);
  const FilePtr file = member.Open();
  if (!file) return {};
  std::string bytes(CREDITS_MAX, '\0');
  bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
  if (auto converted = Windows1252FromUtf8(bytes)) return std::move(converted->text);
  return bytes;
}

// Paragraphs parted by empty lines, control characters left out.
std::string CreditsHtml(const std::string& text) {
  std::string html, line;
  bool open = false;
  for (size_t i = 0; i <= text.size(); ++i) {
    const char c = i < text.size() ? text[i] : '\n';
    if (c != '\n') {
      if (static_cast<unsigned char>(c) >= 0x20) line += c;
      continue;
    }
    if (line.empty()) {
      if (open) html += "</p>\n";
      open = false;
    } else {
      html += (open ? "<br>" : "<p>") + HtmlText(line);
      open = true;
    }
    line.clear();
  }
  return open ? html + "</p>\n" : html;
}

}  // namespace

std::string ClosingPageHtml(Site& site, const RenderResources& loaded) {
  const ShownPicture cover = ScreenPicture(site, CLOSING_COVER_PATH);
  const ShownPicture scroll = ScreenPicture(site, END_SCROLL_PATH);
  const std::string credits = CreditsHtml(CreditsSource());
  std::string html = "<div id=\"closing\">\n<div class=\"end\">";
  if (!cover.name.empty()) {
    html += "<img src=\"" + cover.name + "\" alt=\"The closing cover of the issue\">";
  }
  if (!scroll.name.empty()) {
    html += "<div class=\"roll\" style=\"left:" + CssShare(END_SCROLL_X, SCREEN_WIDTH) +
            "\"><img src=\"" + scroll.name +
            "\" style=\"width:" + CssShare(scroll.width, SCREEN_WIDTH - END_SCROLL_X) +
            "\" alt=\"" + (credits.empty() ? "The credits\">" : "\" aria-hidden=\"true\">") +
            "</div>";
  }
  html += "</div>\n";
  if (!credits.empty()) {
    html += "<section class=\"vh\" aria-label=\"Credits\">\n" + credits + "</section>\n";
  }
  html +=
      "<p><a href=\"" + PageName(FIRST_ARTICLE) + "#read\">Back to the magazine</a></p>\n</div>\n";
  FramedParts parts{CLOSING_PAGE,
                    "<title>Credits</title>\n",
                    html,
                    "<h1 class=\"vh\">Credits</h1>\n",
                    {},
                    {},
                    {}};
  return FramedPage(site, loaded, parts);
}
