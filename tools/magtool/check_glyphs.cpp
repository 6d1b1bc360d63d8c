#include "magtool/check_glyphs.h"

#include <cstdio>
#include <set>

#include "base/text_encoding.h"

namespace {

// Whether the face draws anything for c; a space draws nothing by right.
bool Drawn(const Article& article, const GlyphTable* font, unsigned char c) {
  if (c <= ' ') return true;
  if (font == nullptr) {
    if (article.fonts.fixed == nullptr) return true;
    const uint8_t* rows = &article.fonts.fixed->rows[16 * size_t{c}];
    for (int r = 0; r < 16; ++r) {
      if (rows[r] != 0) return true;
    }
    return false;
  }
  return font->kind == GLYPHS_BMF ? font->inkBottom[c] != 0 : !font->noGlyph[c];
}

// The first place of c in the line's text, outside the tags; npos when none.
size_t TextColumn(const std::string& line, char c) {
  for (size_t at = 0; at < line.size(); ++at) {
    if (line.compare(at, 2, "<#") == 0) {
      const size_t end = line.find("#>", at + 2);
      if (end == std::string::npos) return std::string::npos;
      at = end + 1;
    } else if (line[at] == c) {
      return at;
    }
  }
  return std::string::npos;
}

class GlyphCheck {
 public:
  GlyphCheck(CheckReport& report, const std::string& path, const Article& article,
             const std::vector<MemberLine>& source)
      : report_(report), path_(path), article_(article), source_(source) {}

  void Text(const GlyphTable* font, const std::string& text, int32_t sourceLine) {
    for (const char c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (Drawn(article_, font, byte) || !named_.insert({font, byte}).second) continue;
      Warn(font, byte, sourceLine);
    }
  }

 private:
  // The character named as the editor typed it, at the first place it stands.
  void Warn(const GlyphTable* font, unsigned char byte, int32_t sourceLine) {
    const char32_t point = Windows1252Point(byte);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    std::string where;
    int32_t line = sourceLine;
    for (const MemberLine& member : source_) {
      const size_t column = TextColumn(member.text, static_cast<char>(byte));
      if (column == std::string::npos || (sourceLine > 0 && member.line != sourceLine)) continue;
      line = member.line;
      where = " at column " + std::to_string(column + 1);
      break;
    }
    const char* face = font == nullptr            ? "the fixed font"
                       : font->kind == GLYPHS_BMF ? "its BMF face"
                                                  : "its TrueType face";
    report_.Warn({path_, line}, "\"" + Utf8FromPoint(point) + "\" (" + code + ")" + where +
                                    " has no glyph in " + face +
                                    ": the reader leaves it blank or draws the face's "
                                    "missing-glyph box; write it otherwise or use a face that has "
                                    "it");
  }

  CheckReport& report_;
  const std::string& path_;
  const Article& article_;
  const std::vector<MemberLine>& source_;
  std::set<std::pair<const GlyphTable*, unsigned char>> named_;
};

}  // namespace

void CheckGlyphs(CheckReport& report, const std::string& path, const Article& article,
                 const std::vector<MemberLine>& source) {
  GlyphCheck check(report, path, article, source);
  check.Text(article.titleFont, article.title, 0);
  for (auto line = article.lines.rbegin(); line != article.lines.rend(); ++line) {
    for (const TextSegment& segment : line->segments) {
      check.Text(segment.font, segment.text, line->sourceLine);
    }
  }
}
