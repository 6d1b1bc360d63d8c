#include "magtool/web/article_html.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>

#include "articles/article_view.h"
#include "magtool/web/link_html.h"
#include "magtool/web/site_paths.h"

namespace {

// A block of the page's flow: placed at the engine's top through its top
// margin, so that it starts where the previous block ended.
struct Block {
  int32_t top, height;
  std::string open;  // the tag's name and class, e.g. "div class=\"l\""
  std::string style;
  std::string inner;
  std::string close;  // empty for a void element
};

struct Writer {
  Site& site;
  const Article& article;
  const std::string& page;
  std::map<std::string, int> classes;     // a segment style -> its class number
  int32_t linkAtLineEnd = -1;             // the link that the last line ended in, or -1
  int32_t body = 0, tallest = 0;          // the article's text heights: the body's, the largest
  const ArticleLine* previous = nullptr;  // the line before, in reading order
};

// A line that goes on with the justified line just above it, at its indent:
// on a small screen the two flow as one paragraph.
bool GoesOnFrom(const ArticleLine* above, const ArticleLine& line) {
  return above != nullptr && above->justified != 0 && above->x == line.x && line.y > above->y &&
         line.y - above->y <= 2 * std::max(above->height, line.height);
}

// 2 or 3 for a heading line, its text all set a quarter taller than the
// body's or more (a face's own line height varies less); else 0.
int32_t HeadingLevel(const Writer& w, const ArticleLine& line) {
  int32_t tallest = 0;
  for (const TextSegment& segment : line.segments) {
    if (segment.text.find_first_not_of(' ') == std::string::npos) continue;
    if (segment.height * 4 < w.body * 5) return 0;
    tallest = std::max(tallest, segment.height);
  }
  return tallest == 0 ? 0 : tallest == w.tallest ? 2 : 3;
}

std::string Px(int32_t value) { return std::to_string(value) + "px"; }

const std::string* FaceName(const Article& article, const GlyphTable* table) {
  for (const auto& entry : article.fontCache) {
    if (entry->table.get() == table) return &entry->name;
  }
  return nullptr;
}

// The listed face a name selects (its ":MSK:" palette aside), or -1.
int FaceIndex(const Site& site, const std::string& name) {
  for (size_t i = 0; i < site.faces.size(); ++i) {
    const std::string& face = site.faces[i].path;
    if (strncasecmp(name.c_str(), face.c_str(), face.size()) == 0) return static_cast<int>(i);
  }
  return -1;
}

// The listed face a font's text is set in, or -1. A BMF face is a bitmap
// script, nearest to the issue's own sans.
int SegmentFace(const Site& site, const Article& article, const GlyphTable* font) {
  if (font == nullptr) return -1;
  if (font->kind == GLYPHS_BMF) return site.sansFace;
  const std::string* name = FaceName(article, font);
  return name != nullptr ? FaceIndex(site, *name) : site.sansFace;
}

// The segment's characters noted for its face.
void Draw(Writer& w, const TextSegment& segment) {
  NoteDrawn(w.site, w.article, segment.font, segment.text);
}

// A justified line's spacings are the engine's justification, which CSS does here.
std::string SegmentClass(Writer& w, const TextSegment& segment, bool justified) {
  std::string style =
      FaceStyle(w.site, w.article, segment.font) + ";color:" + CssColour(segment.colour);
  if (!justified && segment.charSpacing != 0) {
    style += ";letter-spacing:" + std::to_string(segment.charSpacing) + "px";
  }
  if (!justified && segment.wordSpacing != 0) {
    style += ";word-spacing:" + std::to_string(segment.wordSpacing) + "px";
  }
  const auto found = w.classes.emplace(style, static_cast<int>(w.classes.size()));
  return "s" + std::to_string(found.first->second);
}

const LinkEntry* Target(const Article& article, int32_t id) {
  for (const LinkEntry& entry : article.linkTargets) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

// text wrapped in an anchor for the link, or a span with its tooltip. A
// link's piece that goes on from the line before leaves the keyboard's
// order, so that a link broken over lines is one tab stop.
std::string Linked(Writer& w, const TextSegment& segment, bool goesOn,
                   const std::string& attributes, const std::string& text) {
  if (segment.isLink == 0 || segment.target == nullptr) {
    return "<span" + attributes + ">" + text + "</span>";
  }
  const LinkHtml link = LinkAttributes(w.site, w.page, *segment.target);
  const char* tag = link.anchor ? "a" : "span";
  return std::string("<") + tag + attributes + link.attributes +
         (link.anchor && goesOn ? " tabindex=\"-1\"" : "") + ">" + text + "</" + tag + ">";
}

Block LineBlock(Writer& w, const ArticleLine& line) {
  Block block{line.y, line.height, "div class=\"l\"", "margin-left:" + Px(line.x), {}, "div"};
  const int32_t mode = line.justified != 0 && !line.segments.empty() ? line.segments[0].mode : 0;
  if (mode != 0) {
    block.open = mode == 2 ? "div class=\"l j j2\"" : "div class=\"l j\"";
    block.style += ";width:" + Px(line.segments[0].limit - line.x);
  }
  if (GoesOnFrom(w.previous, line)) block.open.insert(block.open.size() - 1, " c");
  w.previous = &line;
  if (const int32_t level = HeadingLevel(w, line); level != 0) {
    block.close = "h" + std::to_string(level);
    block.open.replace(0, 3, block.close);
  }
  int32_t pen = line.x;
  for (const TextSegment& segment : line.segments) {
    std::string attributes = " class=\"" + SegmentClass(w, segment, mode != 0) + "\"";
    // A GOTO along the line leaves a gap that the text does not fill.
    if (mode == 0 && segment.x > pen) {
      attributes += " style=\"margin-left:" + Px(segment.x - pen) + "\"";
    }
    pen = segment.x + segment.width;
    const bool goesOn = &segment == &line.segments.front() && segment.isLink != 0 &&
                        segment.linkId == w.linkAtLineEnd;
    block.inner += Linked(w, segment, goesOn, attributes, HtmlText(segment.text));
    Draw(w, segment);
  }
  const TextSegment& last = line.segments.back();
  w.linkAtLineEnd = last.isLink != 0 ? last.linkId : -1;
  return block;
}

// A scrolling picture loops as a moving background: one whole turn of the
// picture in the time the engine takes for it across.
std::string ScrollingPicture(const PictureEntry& entry, const std::string& src) {
  const Picture& image = entry.image;
  const double speed =
      entry.speedX != 0 ? std::abs(entry.speedX) : std::max(1, std::abs(entry.speedY));
  const double seconds = (entry.speedX != 0 ? image.width : image.height) / speed;
  const auto tx = static_cast<int32_t>(std::lround(entry.speedX * seconds));
  const auto ty = static_cast<int32_t>(std::lround(-entry.speedY * seconds));
  return "<div class=\"scroll\" role=\"img\" aria-label=\"\" style=\"width:" + Px(image.width) +
         ";height:" + Px(image.height) + ";background-image:url(" + src + ");--tx:" + Px(tx) +
         ";--ty:" + Px(ty) + ";animation-duration:" + std::to_string(seconds) + "s\"></div>";
}

std::string PictureHtml(Writer& w, const PictureEntry& entry, const std::string& alt,
                        const char* cls) {
  const std::string name = SitePicture(w.site, entry.name, &entry.image);
  const std::string src = Relative(w.page, name);
  if (entry.scrolling != 0 && (entry.speedX != 0 || entry.speedY != 0)) {
    return ScrollingPicture(entry, src);
  }
  return std::string("<img") + cls + " src=\"" + src + "\" width=\"" +
         std::to_string(entry.image.width) + "\" height=\"" + std::to_string(entry.image.height) +
         "\" alt=\"" + alt + "\">";
}

// " l" or " r" for a picture with text beside it on its right or its left:
// on a small screen it floats on that side within the reflowed text.
const char* TextBeside(const Article& article, const PicturePlacement& placement) {
  const Picture& image = placement.picture->image;
  for (const ArticleLine& line : article.lines) {
    const bool level = line.y > placement.y && line.y - line.height < placement.y + image.height;
    if (!level || line.segments.empty()) continue;
    if (line.x >= placement.x + image.width) return " l";
    if (line.x + line.width <= placement.x) return " r";
  }
  return "";
}

Block PictureBlock(Writer& w, const PicturePlacement& placement) {
  const PictureEntry& entry = *placement.picture;
  Block block{placement.y,
              entry.image.height,
              std::string("div class=\"p") + TextBeside(w.article, placement) + "\"",
              "margin-left:" + Px(placement.x),
              {},
              "div"};
  const LinkEntry* target = placement.isLink != 0 ? Target(w.article, placement.linkId) : nullptr;
  if (target == nullptr) {
    block.inner = PictureHtml(w, entry, "", "");
    return block;
  }
  const LinkHtml link = LinkAttributes(w.site, w.page, *target);
  block.inner = PictureHtml(w, entry, link.alt, "");
  if (placement.hasHover != 0 && placement.hoverPicture != nullptr) {
    block.inner += PictureHtml(w, *placement.hoverPicture, "", " class=\"over\"");
  }
  const char* tag = link.anchor ? "a" : "span";
  block.inner = std::string("<") + tag + " class=\"pic\"" + link.attributes + ">" + block.inner +
                "</" + tag + ">";
  return block;
}

// A rule is a 1-pixel hr, turned about its start when it is not level.
Block RuleBlock(const LineDrawing& drawing) {
  const double dx = drawing.x2 - drawing.x1, dy = drawing.y2 - drawing.y1;
  const auto length = static_cast<int32_t>(std::lround(std::hypot(dx, dy))) + 1;
  Block block{std::min(drawing.y1, drawing.y2),
              1,
              "hr class=\"r\"",
              "margin-left:" + Px(drawing.x1) + ";width:" + Px(length) +
                  ";background:" + CssColour(drawing.colour),
              {},
              {}};
  if (dy != 0) {
    block.top = drawing.y1;
    block.style +=
        ";transform:rotate(" + std::to_string(std::atan2(dy, dx) * 180 / std::numbers::pi) + "deg)";
  }
  return block;
}

// The blocks stacked from origin, the top of the page they are on.
std::string Emit(const std::vector<Block>& blocks, int32_t origin) {
  std::string html;
  int32_t end = origin;
  for (const Block& block : blocks) {
    html += "<" + block.open + " style=\"--t:" + Px(block.top - end) +
            ";height:" + Px(block.height) + ";" + block.style + "\">" + block.inner;
    html += block.close.empty() ? "\n" : "</" + block.close + ">\n";
    end = block.top + block.height;
  }
  return html;
}

// The page of a two-column article a block is shown on: the first that
// holds it whole, where the reader shows it first; else the last starting
// at or above it, whose view cuts it. Pages start ever lower.
size_t PageOf(const Article& article, const Block& block) {
  const std::vector<int32_t>& starts = article.pageStarts;
  const int64_t bottom = int64_t{block.top} + block.height;
  const auto holding =
      std::lower_bound(starts.begin(), starts.end(), bottom - article.view->height);
  if (holding != starts.end() && *holding <= block.top) return holding - starts.begin();
  const auto after = std::upper_bound(starts.begin(), starts.end(), block.top);
  return after == starts.begin() ? 0 : after - starts.begin() - 1;
}

// The reader's spreads from its own page table: pages 2k and 2k + 1 side by
// side, each a box of the view's size, the next spread below; the left
// page's blocks come first, in reading order.
std::string Spreads(const Article& article, std::vector<Block> blocks) {
  std::vector<std::vector<Block>> pages(article.pageStarts.size());
  for (Block& block : blocks) pages[PageOf(article, block)].push_back(std::move(block));
  const std::string box = "<div class=\"page\" style=\"width:" + Px(ARTICLE_RIGHT_COLUMN_X) +
                          ";height:" + Px(article.view->height) + "\">\n";
  std::string html;
  for (size_t page = 0; page < pages.size(); ++page) {
    if (page % 2 == 0) html += "<div class=\"spread\">\n";
    html += box + Emit(pages[page], article.pageStarts[page]) + "</div>\n";
    if (page % 2 == 1 || page + 1 == pages.size()) html += "</div>\n";
  }
  return html;
}

// The step between body lines most often met: what the arrow keys move by.
int32_t LinePitch(const Article& article, int32_t body) {
  std::map<int32_t, size_t> steps;
  const ArticleLine* above = nullptr;
  for (auto line = article.lines.rbegin(); line != article.lines.rend(); ++line) {
    const bool isBody = !line->segments.empty() && line->segments[0].height == body;
    if (isBody && above != nullptr && line->y > above->y) ++steps[line->y - above->y];
    above = isBody ? &*line : nullptr;
  }
  const auto most = std::max_element(
      steps.begin(), steps.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == steps.end() ? body : most->first;
}

// On a small screen the text reflows and no face is set below 16 CSS px.
std::string SmallScreenSizes(const std::map<std::string, int>& classes) {
  std::string rules;
  for (const auto& [style, number] : classes) {
    const size_t at = style.find("font-size:");
    if (at == std::string::npos) continue;
    const size_t from = at + 10, end = style.find(';', from);
    rules += ".art .s" + std::to_string(number) + "{font-size:max(16px," +
             style.substr(from, end == std::string::npos ? end : end - from) + ")}\n";
  }
  return rules.empty() ? rules : "@media (max-width:639.98px){\n" + rules + "}\n";
}

}  // namespace

// The fixed font's 8-pixel cells are closest to a monospace face of this
// size; a BMF face is a bitmap script, nearest to the issue's own sans.
std::string FaceStyle(const Site& site, const Article& article, const GlyphTable* font) {
  if (font == nullptr) return "font-family:monospace;font-size:13.3px";
  const int face = SegmentFace(site, article, font);
  std::string style = "font-family:" + (face < 0 ? "sans-serif" : site.faces[face].family);
  // The engine sets sizes in points at 96 dpi, as CSS points are.
  style += ";font-size:" +
           (font->kind == GLYPHS_BMF ? Px(font->height) : std::to_string(font->sizeY) + "pt");
  if (font->bold != 0 || font->kind == GLYPHS_BMF) style += ";font-weight:bold";
  if (font->italic != 0) style += ";font-style:italic";
  if (font->underline != 0) style += ";text-decoration:underline";
  return style;
}

void NoteDrawn(Site& site, const Article& article, const GlyphTable* font, std::string_view text) {
  const int face = SegmentFace(site, article, font);
  if (face < 0) return;
  for (unsigned char c : text) site.faces[face].drawn.set(c);
}

int32_t BodyTextHeight(const Article& article) {
  std::map<int32_t, size_t> characters;  // per height
  for (const ArticleLine& line : article.lines) {
    for (const TextSegment& segment : line.segments) {
      characters[segment.height] += segment.text.size();
    }
  }
  const auto most =
      std::max_element(characters.begin(), characters.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == characters.end() ? 0 : most->first;
}

ArticleHtml ArticleBody(Site& site, const Article& article, const std::string& page) {
  Writer w{site, article, page, {}, -1, BodyTextHeight(article), 0};
  for (const ArticleLine& line : article.lines) {
    for (const TextSegment& segment : line.segments) {
      w.tallest = std::max(w.tallest, segment.height);
    }
  }
  std::vector<Block> blocks;
  // The article keeps its lists newest first.
  for (auto it = article.lines.rbegin(); it != article.lines.rend(); ++it) {
    if (!it->segments.empty()) blocks.push_back(LineBlock(w, *it));
  }
  for (auto it = article.placements.rbegin(); it != article.placements.rend(); ++it) {
    if (it->picture != nullptr && it->picture->image.pixels != nullptr) {
      blocks.push_back(PictureBlock(w, *it));
    }
  }
  for (auto it = article.drawings.rbegin(); it != article.drawings.rend(); ++it) {
    blocks.push_back(RuleBlock(*it));
  }
  std::stable_sort(blocks.begin(), blocks.end(),
                   [](const Block& a, const Block& b) { return a.top < b.top; });
  const bool spreads =
      article.twoColumns != 0 && article.view != nullptr && !article.pageStarts.empty();
  ArticleHtml html;
  html.body = "<div class=\"art\" style=\"--line:" + Px(LinePitch(article, w.body)) +
              ";--active:" + CssColour(article.activeLinkColour) +
              ";--visited:" + CssColour(article.visitedLinkColour) + "\">\n" +
              (spreads ? Spreads(article, std::move(blocks)) : Emit(blocks, 0)) + "</div>\n";
  for (const auto& [style, number] : w.classes) {
    html.styles += ".art .s" + std::to_string(number) + "{" + style + "}\n";
  }
  html.styles += SmallScreenSizes(w.classes);
  return html;
}
