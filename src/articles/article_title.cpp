#include <algorithm>
#include <string_view>

#include "articles/article_links.h"
#include "articles/link_targets.h"
#include "base/clock.h"
#include "base/fatal.h"
#include "base/integer_reader.h"

namespace {

struct ColouredText {
  std::string chars;
  std::vector<uint32_t> colours;
};

// The escape's characters as a hexadecimal colour; colour unchanged when they
// do not start with one.
uint32_t EscapeColour(std::string_view escape, uint32_t colour) {
  return ParseHex(escape).value_or(colour);
}

ColouredText ApplyColourEscapes(std::string_view text, uint32_t colour) {
  ColouredText result;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '\\') {
      result.chars += text[i];
      result.colours.push_back(colour);
      ++i;
    } else if (i + 1 == text.size()) {
      break;
    } else if (text[i + 1] == '\\') {
      result.chars += '\\';
      result.colours.push_back(colour);
      i += 2;
    } else {
      const size_t space = std::min(text.find(' ', i + 1), text.size());
      colour = EscapeColour(text.substr(i + 1, space - i - 1), colour);
      i = space + 1;
    }
  }
  return result;
}

// Title texts ignore the spacings left behind by the article's segments.
class NoSpacing {
 public:
  explicit NoSpacing(FontManager& manager)
      : manager_(manager), charSpacing_(manager.charSpacing), wordSpacing_(manager.wordSpacing) {
    manager.charSpacing = 0;
    manager.wordSpacing = 0;
  }
  ~NoSpacing() {
    manager_.charSpacing = charSpacing_;
    manager_.wordSpacing = wordSpacing_;
  }
  NoSpacing(const NoSpacing&) = delete;
  NoSpacing& operator=(const NoSpacing&) = delete;

 private:
  FontManager& manager_;
  float charSpacing_, wordSpacing_;
};

int32_t MarqueeOffset(Article& article, int32_t width, int32_t boxWidth) {
  if (width <= boxWidth) return 0;
  const uint32_t now = EngineTicks();
  if (article.marqueeClock == 0) article.marqueeClock = now;
  const int64_t steps = (now - article.marqueeClock) / MARQUEE_STEP_MS;
  return static_cast<int32_t>(steps % (int64_t{2} * width) - width);
}

int32_t DrawCharacter(const Article& article, char c, int32_t pen, int32_t y, uint32_t colour,
                      Picture& picture) {
  const char text[2] = {c, '\0'};
  if (article.titleFont == nullptr) {
    return FixedDraw(*article.fonts.fixed, text, pen, y + TITLE_FIXED_BASELINE, colour, picture);
  }
  return FontDraw(*article.fonts.registry, text, pen, y + article.titleFont->height, colour,
                  article.titleFont, picture, article.titleAntialias);
}

// Under NoSpacing for a face of the registry.
int32_t TextWidth(const Article& article, const char* chars) {
  return article.titleFont == nullptr
             ? FixedMeasure(chars).width
             : FontMeasure(*article.fonts.registry, chars, article.titleFont).width;
}

int32_t DrawColoured(Article& article, const ColouredText& text, int32_t x, int32_t y,
                     Picture& picture) {
  const int32_t width = TextWidth(article, text.chars.c_str());
  int32_t pen = x + MarqueeOffset(article, width, picture.width);
  const auto fallback = static_cast<uint32_t>(article.titleColour);
  for (size_t i = 0; i < text.chars.size(); ++i) {
    const uint32_t colour = i < text.colours.size() ? text.colours[i] : fallback;
    pen += DrawCharacter(article, text.chars[i], pen, y, colour, picture);
  }
  return static_cast<int32_t>(text.chars.size());
}

}  // namespace

void ArticlePrepareTitle(Article& article) {
  if (article.title.empty()) return;
  ColouredText text = ApplyColourEscapes(article.title, static_cast<uint32_t>(article.titleColour));
  article.title = std::move(text.chars);
  article.titleColours = std::move(text.colours);
}

int32_t ArticleTitleWidth(const Article& article) {
  if (article.titleFont == nullptr) return TextWidth(article, article.title.c_str());
  if (article.fonts.registry == nullptr) return 0;
  const NoSpacing spacing(*article.fonts.registry);
  return TextWidth(article, article.title.c_str());
}

int32_t ArticleDrawTitle(Article& article, int32_t x, int32_t y, Picture& picture) {
  if (picture.pixels == nullptr || picture.width < 1 || picture.height < 1) return 0;
  const ArticleFonts& fonts = article.fonts;
  const bool fontReady =
      article.titleFont == nullptr ? fonts.fixed != nullptr : fonts.registry != nullptr;
  if (!fontReady) return 0;
  ColouredText text;
  const std::string_view alt =
      article.hoverTarget ? std::string_view(article.hoverTarget->alt) : std::string_view();
  if (!alt.empty()) {
    if (alt.size() > MAX_ALT_LENGTH) FatalError(ALT_TOO_LONG);
    text = ApplyColourEscapes(alt, static_cast<uint32_t>(article.titleColour));
  } else if (!article.title.empty()) {
    text = ColouredText{article.title, article.titleColours};
  } else {
    return 0;
  }
  if (article.titleFont == nullptr) return DrawColoured(article, text, x, y, picture);
  const NoSpacing spacing(*article.fonts.registry);
  return DrawColoured(article, text, x, y, picture);
}
