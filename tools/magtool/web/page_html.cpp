#include "magtool/web/page_html.h"

#include <fstream>
#include <iterator>

#include "base/text_encoding.h"
#include "engine/covers.h"
#include "magtool/web/article_html.h"
#include "magtool/web/page_frame.h"
#include "magtool/web/site_paths.h"
#include "resources/resource_file.h"

namespace {

// The article's text as the engine reads it: 8-bit, a UTF-8 file converted.
std::string SourceText(const std::string& path) {
  const ResourceFile member(path);
  std::ifstream stream(member.name(), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
  if (auto converted = Windows1252FromUtf8(bytes)) return std::move(converted->text);
  return bytes;
}

// The value of a tag such as "<#AUTHOR#>", up to its "<#END#>"; empty without one.
std::string TagValue(const std::string& text, const std::string& tag) {
  const size_t start = text.find(tag);
  if (start == std::string::npos) return {};
  const size_t from = start + tag.size();
  const size_t end = text.find("<#END#>", from);
  return end == std::string::npos ? std::string() : text.substr(from, end - from);
}

std::string Title(const Article& article, const std::string& path) {
  if (!article.title.empty()) return HtmlText(article.title);
  const size_t slash = path.find_last_of('/');
  return HtmlText(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::string Cover(Site& site, const std::string& page) {
  const std::string name = SitePicture(site, OPENING_COVER_PATH, nullptr);
  std::string html = "<div id=\"cover\">";
  if (!name.empty()) {
    html += "<img src=\"" + Relative(page, name) + "\" alt=\"The cover of the issue\">";
  }
  // With the engine in the site the cover has two doors: the engine, and
  // this text edition, which screen readers and small screens can use.
  const std::string enter = "<button id=\"enter\" type=\"button\" data-tune=\"" +
                            std::string(COVER_TUNE) + "\">";
  if (!site.engine) return html + enter + "Enter</button></div>\n";
  return html + "<p><a id=\"engine\" href=\"" + Relative(page, "read.html") +
         "\">Open the magazine</a>" + enter + "Text edition</button></p></div>\n";
}

}  // namespace

std::string PageHtml(Site& site, RenderResources& loaded, const Article& article,
                     const PageParts& parts) {
  const std::string source = SourceText(parts.path);
  const std::string title = Title(article, parts.path);
  const ArticleHtml body = ArticleBody(site, article, parts.page);
  FramedParts framed{parts.page, "<title>" + title + "</title>\n", {}, {}, {}, {}};
  framed.head += "<meta name=\"author\" content=\"" +
                 HtmlText(TagValue(source, "<#AUTHOR#>")) + "\">\n";
  framed.head += "<meta name=\"keywords\" content=\"" +
                 HtmlText(TagValue(source, "<#KEYWORDS#>")) + "\">\n";
  framed.head += "<style>\n" + body.styles + "</style>\n";
  if (parts.cover) {
    // "#read" opens the page past the cover, for a link or a test.
    framed.head += "<script>if (location.hash !== '#read' && !sessionStorage.getItem('entered')) "
                   "document.documentElement.className = 'cover';</script>\n";
    framed.before = Cover(site, parts.page);
  }
  framed.main = "<h1 class=\"vh\">" + title + "</h1>\n" + body.body;
  framed.article = parts.path;
  return FramedPage(site, loaded, framed);
}
