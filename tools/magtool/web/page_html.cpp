#include "magtool/web/page_html.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

#include "base/text_encoding.h"
#include "engine/covers.h"
#include "magtool/web/article_html.h"
#include "magtool/web/page_frame.h"
#include "magtool/web/site_paths.h"
#include "magtool/web/title_html.h"
#include "resources/resource_file.h"

namespace {

constexpr size_t DESCRIPTION_MAX = 200;

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

// What search engines show of the page: the article's keywords, else the
// first sentence of its text after the headings that open it (at most 200
// characters, ended at a word).
std::string Description(const Article& article, const std::string& keywords) {
  if (!keywords.empty()) return keywords;
  const int32_t body = BodyTextHeight(article);
  std::string text;
  // The article keeps its lines newest first.
  for (auto line = article.lines.rbegin(); line != article.lines.rend(); ++line) {
    for (const TextSegment& segment : line->segments) {
      if (text.empty() && segment.height > body) continue;
      for (char c : segment.text) {
        if (c != ' ' || (!text.empty() && text.back() != ' ')) text += c;
      }
      if (!text.empty() && text.back() != ' ') text += ' ';
    }
  }
  size_t end = text.empty() || text.back() != ' ' ? text.size() : text.size() - 1;
  for (const char* stop : {". ", "! ", "? "}) {
    const size_t at = text.find(stop);
    if (at != std::string::npos) end = std::min(end, at + 1);
  }
  if (end > DESCRIPTION_MAX) end = text.rfind(' ', DESCRIPTION_MAX);
  return text.substr(0, end == std::string::npos ? DESCRIPTION_MAX : end);
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
  const std::string enter =
      "<button id=\"enter\" type=\"button\" data-tune=\"" + std::string(COVER_TUNE) + "\">";
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
  const TitleHtml heading = ArticleTitleHtml(site, loaded, article);
  FramedParts framed{parts.page, "<title>" + title + "</title>\n", {}, {}, {}, {}, {}};
  framed.head +=
      "<meta name=\"author\" content=\"" + HtmlText(TagValue(source, "<#AUTHOR#>")) + "\">\n";
  const std::string keywords = TagValue(source, "<#KEYWORDS#>");
  framed.head += "<meta name=\"keywords\" content=\"" + HtmlText(keywords) + "\">\n";
  framed.head +=
      "<meta name=\"description\" content=\"" + HtmlText(Description(article, keywords)) + "\">\n";
  framed.head += "<style>\n" + body.styles + heading.styles + "</style>\n";
  if (parts.cover) {
    // "#read" opens the page past the cover, for a link or a test.
    framed.head +=
        "<script>if (location.hash !== '#read' && !sessionStorage.getItem('entered')) "
        "document.documentElement.className = 'cover';</script>\n";
    framed.before = Cover(site, parts.page);
  }
  framed.heading = heading.text.empty() ? "<h1 class=\"vh\">" + title + "</h1>\n"
                                        : "<h1 class=\"title\">" + heading.text + "</h1>\n";
  framed.main = body.body;
  framed.article = parts.path;
  return FramedPage(site, loaded, framed);
}
