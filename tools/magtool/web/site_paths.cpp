#include "magtool/web/site_paths.h"

#include <cctype>
#include <cstdio>

#include "base/text_encoding.h"

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string WithoutPrefix(std::string name, std::string_view prefix) {
  return name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : name;
}

std::string WithExtension(const std::string& name, std::string_view extension) {
  const size_t dot = name.find_last_of('.');
  const size_t slash = name.find_last_of('/');
  const bool hasDot = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasDot ? name.substr(0, dot) : name) + std::string(extension);
}

std::string InDataFolder(std::string_view path) {
  std::string name = Lower(path);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return WithoutPrefix(name, "data/");
}

}  // namespace

std::string PageName(std::string_view articlePath) {
  return SiteName(WithExtension(WithoutPrefix(InDataFolder(articlePath), "arts/"), ".html"));
}

// Another kind keeps its extension, so that "x.gif" and "x.png" stay apart.
std::string PictureName(std::string_view picturePath) {
  const std::string name = InDataFolder(picturePath.substr(0, picturePath.find('*')));
  const bool png = name.size() >= 4 && name.compare(name.size() - 4, 4, ".png") == 0;
  return SiteName(png ? name : name + ".png");
}

std::string SiteName(std::string_view name) {
  std::string site;
  size_t partStart = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && name[i] != '/' && name[i] != '\\') continue;
    std::string part(name.substr(partStart, i - partStart));
    partStart = i + 1;
    if (part.empty()) continue;
    if (part == "." || part == "..") part = "_";
    for (char& c : part) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (!std::isalnum(u) && c != '.' && c != '_' && c != '-') c = '_';
    }
    site += (site.empty() ? "" : "/") + part;
  }
  return site.empty() ? "_" : site;
}

std::string Relative(std::string_view page, std::string_view target) {
  std::string path;
  for (char c : page) {
    if (c == '/') path += "../";
  }
  return path + std::string(target);
}

std::string HtmlText(std::string_view text) {
  std::string escaped;
  for (char c : Utf8FromWindows1252(text)) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// The title box reads a backslash up to the next space as a colour.
std::string PlainAlt(std::string_view text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      plain += text[i];
      continue;
    }
    const size_t space = text.find(' ', i + 1);
    if (space == std::string_view::npos) break;
    i = space;
  }
  return HtmlText(plain);
}

std::string CssColour(uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06x", colour & 0xFFFFFFu);
  return text;
}

std::string CssShare(double value, int32_t whole) {
  char text[24];
  std::snprintf(text, sizeof text, "%.4f%%", whole > 0 ? 100.0 * value / whole : 0.0);
  return text;
}
