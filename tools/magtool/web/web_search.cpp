#include "magtool/web/web_search.h"

#include <cstdio>
#include <string_view>
#include <utility>

#include "base/text_encoding.h"
#include "magtool/web/page_frame.h"
#include "magtool/web/site_assets.h"
#include "magtool/web/web_search_files.h"
#include "search/search_index.h"

namespace {

using PageOf = std::function<std::string(const std::string&)>;

// A JavaScript string literal of UTF-8 text.
std::string Literal(std::string_view utf8) {
  std::string literal = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      literal += {'\\', c};
    } else if (byte < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", byte);
      literal += escape;
    } else {
      literal += c;
    }
  }
  return literal + '"';
}

// The engine's Windows-1252 text as a literal; null when the article has none.
std::string TextLiteral(const std::optional<std::string>& text) {
  return text ? Literal(Utf8FromWindows1252(*text)) : "null";
}

std::string IndexScript(const SearchIndex& index, const PageOf& page) {
  std::string script =
      "var SEARCH_INDEX = {\n  files: " + std::to_string(index.fileCount) + ",\n  entries: [\n";
  // The index holds the list newest first; the file keeps the list's order.
  for (auto entry = index.entries.rbegin(); entry != index.entries.rend(); ++entry) {
    script += "    {path: " + TextLiteral(entry->path) + ", page: " + Literal(page(entry->path)) +
              ",\n     title: " + TextLiteral(entry->title) +
              ", author: " + TextLiteral(entry->author) +
              ",\n     keywords: " + TextLiteral(entry->keywords) + "},\n";
  }
  return script + "  ]\n};\n";
}

}  // namespace

std::optional<std::string> WriteWebSearch(const SiteFolder& site, const PageOf& page) {
  const std::pair<const char*, std::string> files[] = {
      {"search.js", std::string(SEARCH_SCRIPT)},
      {"search-index.js", IndexScript(LoadSearchIndex(), page)}};
  for (const auto& [name, bytes] : files) {
    std::string error;
    if (!WriteSiteBytes(site, name, bytes, error)) return error;
  }
  return std::nullopt;
}

std::string SearchPageHtml(const Site& site, const RenderResources& loaded) {
  return FramedPage(site, loaded,
                    {"search.html",
                     "<title>Search</title>\n",
                     {},
                     "<h1 class=\"vh\">Search</h1>\n",
                     std::string(WebSearchPage()),
                     {"search-index.js", "search.js"},
                     {}});
}
