#include "magtool/web/picture_page.h"

#include "magtool/web/page_frame.h"
#include "magtool/web/site_paths.h"

std::string PicturePageHtml(const Site& site, const RenderResources& loaded,
                            const std::string& page, const PicturePage& picture) {
  const size_t slash = picture.picture.find_last_of('/');
  const std::string file = picture.picture.substr(slash == std::string::npos ? 0 : slash + 1);
  const std::string alt = picture.alt.empty() ? file : picture.alt;
  FramedParts parts{page, "<title>" + file + "</title>\n", {}, {}, {}, {}, {}};
  parts.heading = "<h1 class=\"vh\">" + file + "</h1>\n";
  parts.main = "<div class=\"pix\"><img src=\"" + Relative(page, picture.picture) + "\" alt=\"" +
               alt + "\"></div>\n";
  return FramedPage(site, loaded, parts);
}
