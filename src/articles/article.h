// The article object: one parsed and laid-out article file with its display
// lines, pictures, rules, link targets and hotspots. Lists kept newest first
// are deques with the newest entry at the front, so references to entries
// stay valid while entries are added.
#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <string>
#include <vector>

#include "pictures/picture.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"
#include "text/glyph_table.h"

constexpr size_t ARTICLE_MAX_PAGES = 32000;
constexpr size_t ARTICLE_MAX_HOTSPOTS = 8192;
constexpr size_t ARTICLE_NAME_MAX = 511;  // picture and face names
constexpr int32_t SENTINEL_SOURCE_LINE = 100000000;

// What a link does, from the four characters its target starts with.
enum class LinkKind {
  Article,   // "ART:" opens an article
  Picture,   // "PIX:" shows a picture on the whole screen
  Music,     // "MSX:" plays a module, or a music command
  Panel,     // "PAN:" switches to a panel
  Document,  // "EXE:" hands a document to the system's opener
  Other,     // anything else: the link does nothing
};

// A link target as written, decoded once (link_targets.h).
struct LinkEntry {
  bool visited;
  bool fromHistory;
  int32_t id;
  std::string text;  // the whole target, as the history keeps it
  LinkKind kind;
  std::string argument;  // after the kind, up to the first ":ALT:"
  std::string alt;       // after the first ":ALT:"; empty without one
};

struct TextSegment {
  int32_t mode;   // 0 none, 1 widen spaces, 2 widen every gap
  int32_t limit;  // the right edge to justify to
  int32_t x;
  int32_t y;  // baseline: the bottom of the line
  int32_t width, height;
  float charSpacing;
  float wordSpacing;
  std::string text;
  uint32_t colour;
  bool antialias;
  const GlyphTable* font;  // null: the fixed font
  bool isLink;
  int32_t linkId;
  const LinkEntry* target;  // resolved after parsing
};

struct ArticleLine {
  bool placed;
  int32_t sourceLine;
  int32_t x, y;
  int32_t width, height;
  bool hasLink;
  bool justified;
  std::vector<TextSegment> segments;  // reading order
};

struct PictureEntry {
  bool scrolling;
  int32_t speedX, speedY;
  float doneX, doneY;
  std::string name;  // as written, speeds included
  Picture image;
};

struct PicturePlacement {
  int32_t x, y;
  bool isLink;
  bool hasHover;
  PictureEntry* picture;
  PictureEntry* hoverPicture;
  int32_t linkId;
};

struct LineDrawing {
  int32_t x1, x2, y1, y2;
  uint32_t colour;
};

// A piece of markup the reader passes over without a word, kept for magtool
// check with its source line.
struct MarkupNote {
  int32_t line;
  std::string text;
};

struct Hotspot {
  int32_t id;
  int32_t x, y;
  int32_t width, height;
};

// The faces an article lays out and draws with, lent by whoever loads it for
// the article's life: the registry of its named faces and the fixed font.
// Either may be null where nothing asks for it.
struct ArticleFonts {
  FontManager* registry;
  const FixedFont* fixed;
};

// Zero-filled when made; the values that hold "at load" are set by loading.
struct Article {
  ArticleFonts fonts;  // lent by whoever loads the article
  uint32_t pictureClock;
  uint32_t marqueeClock;
  uint32_t activeLinkColour;
  uint32_t visitedLinkColour;
  std::vector<int32_t> pageStarts;  // at most ARTICLE_MAX_PAGES
  std::vector<Hotspot> hotspots;    // at most ARTICLE_MAX_HOTSPOTS, sorted by (y, x)
  std::string fileName;
  bool lineScroll;
  bool pageScroll;
  bool spreadSingleStep;
  bool spreadDoubleStep;
  bool twoColumns;
  int32_t mouseX, mouseY;
  Picture* view;  // the caller's picture; null until one is set
  int32_t scrollY;
  int32_t totalHeight;
  int32_t hoverId;
  const LinkEntry* hoverTarget;  // one of linkTargets, or null
  std::string title;             // empty: none
  std::vector<uint32_t> titleColours;
  int32_t titleColour;
  bool titleAntialias;
  const GlyphTable* titleFont;
  std::deque<PicturePlacement> placements;
  std::deque<PictureEntry> pictures;
  std::deque<LinkEntry> linkTargets;
  std::deque<ArticleLine> lines;
  FontCache fontCache;
  std::deque<LineDrawing> drawings;
  int32_t rightScrollY;
  bool firstDraw;
  std::vector<MarkupNote> unknownTags;  // from the name to before "#>"
  std::vector<MarkupNote> faceNames;    // as FACENAME gave them
  // Lent by a check that goes on after a fault: a fault the parse could pass
  // over (what a tag could not read, a picture that would not load) is kept
  // here and the tag left out. Null: every fault is fatal.
  std::vector<std::exception_ptr>* keptFaults;
};
