#include "magtool/check_markup.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "articles/article_tags.h"
#include "articles/article_view.h"
#include "articles/parser_state.h"
#include "magtool/check_lines.h"
#include "text/font_manager.h"

namespace {

constexpr size_t MAX_SHOWN = 60;  // characters of a tag quoted in a warning

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// Tag names as the parser's literals begin them, each with what follows the
// name in a written tag when it takes arguments; END closes the header tags.
std::vector<std::pair<std::string, bool>> KnownTags() {
  std::vector<std::pair<std::string, bool>> tags{{"END", false}};
  for (const std::string& literal : ArticleTagLiterals()) {
    const size_t end = literal.find_first_of(":#");
    tags.emplace_back(literal.substr(0, end), end != std::string::npos && literal[end] == ':');
  }
  return tags;
}

std::string UnknownTagMessage(const std::string& written) {
  static const std::vector<std::pair<std::string, bool>> known = KnownTags();
  if (Upper(written) == "END") {
    return "<#END#> closes nothing here: it ends the text of a <#TITLE#>, <#AUTHOR#> or "
           "<#KEYWORDS#> tag; the reader skips it: remove it, or close the tag's text with it";
  }
  const size_t colon = written.find(':');
  std::vector<std::string> names;
  for (const auto& tag : known) names.push_back(tag.first);
  const std::string near = NearMiss(written.substr(0, colon), names);
  std::string message = "unknown tag <#" + written.substr(0, MAX_SHOWN) + "#>: the reader skips it";
  if (near.empty()) return message;
  const bool takesArguments =
      std::find(known.begin(), known.end(), std::make_pair(near, true)) != known.end();
  std::string rest;
  if (takesArguments) rest = colon == std::string::npos ? ":..." : written.substr(colon, MAX_SHOWN);
  return message + "; did you mean <#" + near + rest + "#>?";
}

bool IsBmf(const std::string& face) { return Upper(face).ends_with(".BMF"); }

void CheckFaces(CheckReport& report, const std::string& path, const Article& article) {
  FontManager* registry = article.fonts.registry;
  std::set<std::string> seen;
  for (const MarkupNote& face : article.faceNames) {
    if (face.text == FIXED_FACE || !seen.insert(MemberKey(face.text)).second) continue;
    const std::string instead = std::string(": the reader shows ") + FALLBACK_FONT + " instead";
    if (IsBmf(face.text)) {
      if (!MemberExists(face.text)) {
        report.Warn({path, face.line}, "face \"" + face.text + "\" is not in the issue" + instead);
      }
      continue;
    }
    bool listed = true;
    if (registry == nullptr ||
        RunStep([&] { listed = FontIsRegistered(*registry, face.text.c_str()); }) || listed) {
      continue;
    }
    std::vector<std::string> names;
    for (const auto& font : registry->fonts) names.push_back(font->name);
    const std::string near = NearMiss(face.text, names);
    report.Warn({path, face.line},
                "face \"" + face.text + "\" is not listed in DATA/configs/fonts.txt" + instead +
                    (near.empty() ? "; list it there" : "; did you mean " + near + "?"));
  }
}

// In 64 bits: a panel file may give any text origin.
struct TextArea {
  int64_t width = INT64_MAX, height = INT64_MAX;
};

// The narrowest panel's: the article may be shown in any.
TextArea NarrowestArea(const std::vector<std::unique_ptr<Panel>>& panels, bool twoColumns) {
  TextArea area;
  for (const std::unique_ptr<Panel>& panel : panels) {
    int64_t width = int64_t{panel->oldPage.width} - panel->textX;
    if (twoColumns) {
      width = std::min<int64_t>(ARTICLE_RIGHT_COLUMN_X, width - ARTICLE_RIGHT_COLUMN_X);
    }
    area.width = std::min(area.width, width);
    area.height = std::min<int64_t>(area.height, panel->oldPage.height);
  }
  return area;
}

// 0 for a line without segments: it shows nothing.
int64_t RightEdge(const ArticleLine& line) {
  int64_t right = 0;
  for (const TextSegment& segment : line.segments) {
    right = std::max(right, int64_t{segment.x} + segment.width);
    if (segment.mode != 0) right = std::max(right, int64_t{segment.limit});
  }
  return right;
}

void CheckTextArea(CheckReport& report, const std::string& path, const Article& article,
                   const TextArea& area) {
  const std::string wide = " the text area (" + std::to_string(area.width) + " pixels wide)";
  std::set<int32_t> warned;
  for (auto line = article.lines.rbegin(); line != article.lines.rend(); ++line) {
    const int64_t past = RightEdge(*line) - area.width;
    if (past <= 0 || !warned.insert(line->sourceLine).second) continue;
    report.Warn({path, line->sourceLine}, "text runs " + std::to_string(past) + " pixels past" +
                                              wide +
                                              ": break it (<#ABREAK_ON#>) or lower <#JLIMIT#>");
  }
  const std::vector<MemberLine> source = SourceLines(path);
  for (const PicturePlacement& placement : article.placements) {
    const PictureEntry& picture = *placement.picture;
    const CheckSite site{path, FindLine(source, picture.name)};
    const int64_t past = int64_t{placement.x} + picture.image.width - area.width;
    if (past > 0) {
      report.Warn(site, "picture " + picture.name + " reaches " + std::to_string(past) +
                            " pixels past" + wide + ": make it narrower or place it further left");
    }
    if (picture.image.height > area.height) {
      report.Warn(site, "picture " + picture.name + " is taller than the text area (" +
                            std::to_string(area.height) + " pixels): no page shows it whole");
    }
  }
}

}  // namespace

std::string NearMiss(const std::string& name, const std::vector<std::string>& candidates) {
  const std::string wanted = Upper(name);
  std::string prefix, near;
  size_t nearDistance = 3;
  for (const std::string& candidate : candidates) {
    const std::string upper = Upper(candidate);
    if (wanted.starts_with(upper) && upper.size() > prefix.size()) prefix = candidate;
    const size_t distance = EditDistance(wanted, upper);
    if (distance < nearDistance && distance < wanted.size()) {
      near = candidate;
      nearDistance = distance;
    }
  }
  return prefix.empty() ? near : prefix;
}

void CheckMarkup(CheckReport& report, const std::string& path, const Article& article,
                 const std::vector<std::unique_ptr<Panel>>& panels) {
  for (const MarkupNote& tag : article.unknownTags) {
    report.Warn({path, tag.line}, UnknownTagMessage(tag.text));
  }
  CheckFaces(report, path, article);
  if (panels.empty()) return;
  CheckTextArea(report, path, article, NarrowestArea(panels, article.twoColumns != 0));
}
