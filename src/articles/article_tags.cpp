#include "articles/article_tags.h"

#include <algorithm>
#include <cstring>

#include "articles/article_layout.h"
#include "articles/link_targets.h"
#include "articles/tag_arguments.h"
#include "base/fatal.h"
#include "resources/reading_place.h"

namespace {

constexpr size_t NPOS = std::string::npos;
constexpr const char* END_OF_TOKEN = "Unexpected end of token !";
constexpr const char* INSIDE_TOKEN = "Error inside token !";

struct Tag {
  Article& article;
  ParserState& state;
  const std::string& line;
  size_t name;        // the tag name's first character
  size_t args;        // behind the matched literal
  size_t searchFrom;  // where the tag's closing "#>" is looked for
  bool endsLine;
};

using TagHandler = void (*)(Tag&);

struct TagLiteral {
  const char* literal;
  TagHandler handler;
};

bool IsFixed(const ParserState& state) { return state.face == FIXED_FACE; }

void StyleChanged(ParserState& state) {
  if (!IsFixed(state)) state.fontPending = 1;
}

// The text from at up to the next "#>"; fatal when the line ends first.
std::string UpToTagEnd(const Tag& tag, size_t at) {
  const size_t end = FieldEnd(tag.line, at, false, true);
  if (end == NPOS) FatalError(END_OF_TOKEN);
  return tag.line.substr(at, end - at);
}

// Past the ':' that follows at; with tagEnd a "#>" first is fatal too.
size_t PastColon(const Tag& tag, size_t at, bool tagEnd) {
  const size_t colon = FieldEnd(tag.line, at, true, tagEnd);
  if (colon == NPOS || tag.line[colon] != ':') FatalError(END_OF_TOKEN);
  return colon + 1;
}

// Fatal, naming the tag and the field at at that is not what it wants.
[[noreturn]] void Unreadable(const Tag& tag, size_t at, const char* wanted) {
  const auto field = [&](size_t from) {
    const size_t end = std::min(FieldEnd(tag.line, from, true, true), tag.line.size());
    return from < end ? tag.line.substr(from, end - from) : std::string();
  };
  NoteCulprit("<#" + field(tag.name) + "#>: \"" + field(at) + "\" is not " + wanted);
  tag.state.passable = true;
  FatalError(INSIDE_TOKEN);
}

int32_t Number(const Tag& tag, size_t& at) {
  int32_t value = 0;
  if (!ReadNumber(tag.line, at, value)) Unreadable(tag, at, "a number");
  return value;
}

Offset OffsetAt(const Tag& tag, size_t& at) {
  Offset offset{};
  const size_t from = at;
  if (!ReadOffset(tag.line, at, offset)) Unreadable(tag, from, "a number or +number or -number");
  return offset;
}

uint32_t Colour(const Tag& tag) {
  size_t at = tag.args;
  uint32_t colour = 0;
  if (!ReadColour(tag.line, at, colour)) Unreadable(tag, tag.args, "a colour in hexadecimal");
  return colour;
}

std::string Rest(const std::string& line, size_t from) {
  if (from >= line.size()) return "";
  return line.substr(from, ARTICLE_RUN_MAX);
}

// The value of TITLE, AUTHOR or KEYWORDS: up to "<#END#>", whose "#>" closes it.
std::string ValueToEnd(Tag& tag, const char* message) {
  for (size_t i = tag.args; i < tag.line.size(); ++i) {
    const char c = tag.line[i];
    if (c == '\n' || c == '\r') break;
    if (tag.line.compare(i, 7, "<#END#>") == 0) {
      tag.searchFrom = i + 2;
      return tag.line.substr(tag.args, i - tag.args);
    }
  }
  FatalError(message);
}

void PlacePicture(Tag& tag, const std::string& name, const std::string* hoverName, bool isLink,
                  int32_t linkId) {
  tag.state.passable = true;
  PictureEntry& picture = PictureCacheGet(tag.article, name.c_str());
  PictureEntry* hover =
      hoverName != nullptr ? &PictureCacheGet(tag.article, hoverName->c_str()) : nullptr;
  tag.state.passable = false;
  tag.article.placements.push_front(PicturePlacement{tag.state.x, tag.state.y, isLink,
                                                     hover != nullptr, &picture, hover, linkId});
}

void Title(Tag& tag) {
  const std::string value = ValueToEnd(tag, "Error in <#TITLE#> token !");
  if (value.empty()) return;
  ParserFetchFont(tag.article, tag.state);
  tag.article.title = value;
  tag.article.titleColour = static_cast<int32_t>(tag.state.colour);
  tag.article.titleAntialias = tag.state.antialias != 0;
  tag.article.titleFont = tag.state.font;
}

void Author(Tag& tag) { ValueToEnd(tag, "Error in <#AUTHOR#> token !"); }
void Keywords(Tag& tag) { ValueToEnd(tag, "Error in <#KEYWORDS#> token !"); }

void FaceName(Tag& tag) {
  ParserState& state = tag.state;
  state.face = UpToTagEnd(tag, tag.args).substr(0, ARTICLE_NAME_MAX);
  tag.article.faceNames.push_back({state.sourceLine, state.face});
  if (IsFixed(state)) {
    state.font = nullptr;
    state.fontPending = 0;
  } else {
    state.fontPending = 1;
  }
}

// BOLD, ITALIC, UNDERLINE and their N forms: a style flag, and the font due
// again (unless the face is the fixed one).
template <int32_t ParserState::*Flag, int32_t Value>
void Style(Tag& tag) {
  tag.state.*Flag = Value;
  StyleChanged(tag.state);
}

// ABREAK_ON, ABREAK_ON1, ABREAK_ON2 and ABREAK_OFF.
template <int32_t AutoBreak, int32_t BreakMode>
void AutoBreakTag(Tag& tag) {
  tag.state.autoBreak = AutoBreak;
  tag.state.breakMode = BreakMode;
}

void Size(Tag& tag) {
  size_t at = tag.args;
  const int32_t sizeX = Number(tag, at);
  at = PastColon(tag, at, false);
  const int32_t sizeY = Number(tag, at);
  if (sizeX < 2 || sizeY < 2) FatalError("Fontsize -> Out of range !");
  ParserState& state = tag.state;
  if (sizeX == state.sizeX && sizeY == state.sizeY) return;
  state.sizeX = sizeX;
  state.sizeY = sizeY;
  StyleChanged(state);
}

void Color(Tag& tag) { tag.state.colour = Colour(tag); }
void ActiveLinkColour(Tag& tag) { tag.article.activeLinkColour = Colour(tag); }
void VisitedLinkColour(Tag& tag) { tag.article.visitedLinkColour = Colour(tag); }
void AntialiasOff(Tag& tag) { tag.state.antialias = 0; }
void AntialiasOn(Tag& tag) { tag.state.antialias = 1; }

void HorizontalLine(Tag& tag) {
  tag.state.rest = Rest(tag.line, tag.args);
  tag.state.rulePending = 1;
  tag.endsLine = true;
}

void Goto(Tag& tag) {
  ParserState& state = tag.state;
  size_t at = tag.args;
  const Offset x = OffsetAt(tag, at);
  at = PastColon(tag, at, false);
  const Offset y = OffsetAt(tag, at);
  if (x.relative != 0 && y.number == 0) {
    state.x = OffsetApply(x, state.x);
    return;
  }
  state.gotoX = OffsetApply(x, state.x);
  state.gotoY = OffsetApply(y, state.y);
  const size_t end = FieldEnd(tag.line, tag.name, false, true);
  if (end == NPOS) FatalError("Unexpected end of tag !");
  const size_t after = end + 2;
  const bool lineGoesOn =
      after < tag.line.size() && tag.line[after] != '\n' && tag.line[after] != '\r';
  state.rest = lineGoesOn ? Rest(tag.line, after) : "";
  state.gotoPending = 1;
  tag.endsLine = true;
}

void Columns(Tag& tag) { tag.article.twoColumns = true; }

void PictureTag(Tag& tag) { PlacePicture(tag, UpToTagEnd(tag, tag.args), nullptr, false, -1); }

void Justify1(Tag& tag) { tag.state.justify = 1; }
void Justify2(Tag& tag) { tag.state.justify = 2; }
void EndJustify(Tag& tag) { tag.state.justify = 0; }

void Link(Tag& tag) {
  tag.state.link = InternLinkTarget(tag.article, UpToTagEnd(tag, tag.args).c_str());
}

void EndLink(Tag& tag) { tag.state.link = -1; }

bool ScrollFlag(const Tag& tag, size_t position) {
  const size_t at = tag.name + position;
  const char flag = at < tag.line.size() ? tag.line[at] : '\0';
  if (flag != '0' && flag != '1') FatalError("Unexpected value !");
  return flag == '1';
}

void Scroll(Tag& tag) {
  Article& article = tag.article;
  article.lineScroll = ScrollFlag(tag, 7);
  article.pageScroll = ScrollFlag(tag, 9);
  article.spreadSingleStep = ScrollFlag(tag, 11);
  article.spreadDoubleStep = ScrollFlag(tag, 13);
}

// picture ':' target, or picture ':' hover picture ':' target.
void PictureLink(Tag& tag) {
  const size_t second = PastColon(tag, tag.args, true);
  const std::string picture = tag.line.substr(tag.args, second - 1 - tag.args);
  const size_t secondEnd = FieldEnd(tag.line, second, true, true);
  if (secondEnd == NPOS) FatalError(END_OF_TOKEN);
  const std::string field = tag.line.substr(second, secondEnd - second);
  if (tag.line[secondEnd] != ':') {
    PlacePicture(tag, picture, nullptr, true, InternLinkTarget(tag.article, field.c_str()));
    return;
  }
  const std::string target = UpToTagEnd(tag, secondEnd + 1);
  PlacePicture(tag, picture, &field, true, InternLinkTarget(tag.article, target.c_str()));
}

void FreeLine(Tag& tag) {
  const ParserState& state = tag.state;
  size_t at = tag.args;
  const int32_t x1 = OffsetApply(OffsetAt(tag, at), state.x);
  at = PastColon(tag, at, true);
  const int32_t x2 = OffsetApply(OffsetAt(tag, at), state.x);
  at = PastColon(tag, at, true);
  const int32_t y1 = OffsetApply(OffsetAt(tag, at), state.y);
  at = PastColon(tag, at, true);
  const int32_t y2 = OffsetApply(OffsetAt(tag, at), state.y);
  tag.article.drawings.push_front(LineDrawing{x1, x2, y1, y2, state.colour});
}

void JustificationLimit(Tag& tag) {
  size_t at = tag.args;
  const int32_t limit = Number(tag, at);
  if (limit < 2) FatalError("JLIMIT -> invalid value !");
  tag.state.jlimit = limit;
}

// Table order matters: "ABREAK_ON1#>" is tried before "ABREAK_ON#>".
constexpr TagLiteral FIRST_PASS[] = {
    {"TITLE#>", Title},
    {"AUTHOR#>", Author},
    {"KEYWORDS#>", Keywords},
    {"FACENAME:", FaceName},
    {"BOLD#>", Style<&ParserState::bold, 1>},
    {"ITALIC#>", Style<&ParserState::italic, 1>},
    {"UNDERLINE#>", Style<&ParserState::underline, 1>},
    {"NBOLD#>", Style<&ParserState::bold, 0>},
    {"NITALIC#>", Style<&ParserState::italic, 0>},
    {"NUNDERLINE#>", Style<&ParserState::underline, 0>},
    {"ABREAK_ON1#>", AutoBreakTag<1, 1>},
    {"ABREAK_ON2#>", AutoBreakTag<1, 2>},
    {"ABREAK_ON#>", AutoBreakTag<1, 0>},
    {"ABREAK_OFF#>", AutoBreakTag<0, 0>},
    {"SIZE:", Size},
    {"COLOR:", Color},
    {"ACLC:", ActiveLinkColour},
    {"VISLC:", VisitedLinkColour},
    {"AA_OFF", AntialiasOff},
    {"AA_ON", AntialiasOn},
    {"HLINE#>", HorizontalLine},
    {"GOTO:", Goto},
    {"COLUMNS#>", Columns},
    {"PICTURE:", PictureTag},
    {"JUSTIFY1#>", Justify1},
    {"JUSTIFY2#>", Justify2},
    {"ENDJ#>", EndJustify},
    {"LINK:", Link},
    {"ENDL#>", EndLink},
};

constexpr TagLiteral SECOND_PASS[] = {
    {"SCROLL:", Scroll},
    {"PICLINK:", PictureLink},
    {"FLINE:", FreeLine},
    {"JLIMIT:", JustificationLimit},
};

// Whether a literal matched.
template <size_t N>
bool HandleFirstMatch(Tag& tag, const TagLiteral (&literals)[N]) {
  for (const TagLiteral& entry : literals) {
    const size_t length = std::strlen(entry.literal);
    if (tag.line.compare(tag.name, length, entry.literal) != 0) continue;
    tag.args = tag.name + length;
    entry.handler(tag);
    return true;
  }
  return false;
}

// The tag at at; where its handling ends, NPOS for the rest of the line.
size_t HandleTag(Article& article, ParserState& state, const std::string& line, size_t at) {
  Tag tag{article, state, line, at + 2, at + 2, at + 2, false};
  bool known = HandleFirstMatch(tag, FIRST_PASS);
  if (tag.endsLine) return NPOS;
  known = HandleFirstMatch(tag, SECOND_PASS) || known;
  const size_t end = FieldEnd(line, tag.searchFrom, false, true);
  if (end == NPOS) FatalError("Unexpected end of tag !");
  if (!known) {
    article.unknownTags.push_back({state.sourceLine, line.substr(tag.name, end - tag.name)});
  }
  return end + 2;
}

}  // namespace

std::vector<std::string> ArticleTagLiterals() {
  std::vector<std::string> literals;
  for (const TagLiteral& entry : FIRST_PASS) literals.emplace_back(entry.literal);
  for (const TagLiteral& entry : SECOND_PASS) literals.emplace_back(entry.literal);
  return literals;
}

void ParserFetchFont(Article& article, ParserState& state) {
  if (!state.fontPending) return;
  if (article.fonts.registry == nullptr) FatalError("Internal error !");
  state.font = FontCacheGet(*article.fonts.registry, article.fontCache, state.face.c_str(),
                            state.sizeX, state.sizeY, state.bold, state.italic, state.underline);
  state.fontPending = 0;
}

// A fault the parse can pass over is kept, and the tag left out.
size_t ArticleTag(Article& article, ParserState& state, const std::string& line, size_t at) {
  if (article.keptFaults == nullptr) return HandleTag(article, state, line, at);
  try {
    return HandleTag(article, state, line, at);
  } catch (...) {
    if (!state.passable) throw;
    state.passable = false;
    NoteCulprit({});
    article.keptFaults->push_back(std::current_exception());
    const size_t end = FieldEnd(line, at + 2, false, true);
    return end == NPOS ? NPOS : end + 2;
  }
}
