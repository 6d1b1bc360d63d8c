#include <algorithm>

#include "articles/article_links.h"
#include "articles/article_view.h"
#include "base/clock.h"
#include "pictures/draw.h"
#include "widgets/panel.h"

namespace {

constexpr uint32_t BUTTON_STEP_MS = 120;  // one frame of a button animation

// The reading position of the article, 0 at its top to 1 at its end. The
// article view supplies it; until then every article reads as at its top.
float ScrollFractionOf(Article* article) {
  return article != nullptr ? ArticleScrollFraction(*article) : 0.0f;
}

bool MouseInMask(const Panel& panel) {
  return panel.mouseX >= 0 && panel.mouseX < panel.mask.width && panel.mouseY >= 0 &&
         panel.mouseY < panel.mask.height;
}

// The mask value under the mouse; 0 outside the mask.
uint8_t HoveredIndex(const Panel& panel) {
  if (!MouseInMask(panel)) return 0;
  return panel.mask.pixels[panel.mouseY * panel.mask.width + panel.mouseX];
}

void DrawStrips(Panel& panel, Picture& screen) {
  if (panel.hasTop) Blit(panel.top, 0, 0, screen, DRAW_OPAQUE, 1.0f);
  if (panel.hasBottom) {
    Blit(panel.bottom, 0, PanelTopHeight(panel) + panel.middle.height, screen, DRAW_OPAQUE, 1.0f);
  }
}

// The frame count is positive and the delay not 0 (checked at load); the
// unsigned arithmetic also runs through the clock's wrap, and takes a negative
// delay as one of weeks.
void DrawChains(const Panel& panel, uint32_t now, Picture& screen) {
  const uint32_t elapsed = now - panel.created;
  for (const AniChain& chain : panel.aniChains) {
    const uint32_t step = elapsed / static_cast<uint32_t>(chain.delay);
    const uint32_t frame = step % static_cast<uint32_t>(chain.frameCount);
    Blit(chain.frames[frame], chain.x, chain.y, screen, DRAW_KEYED, 1.0f);
  }
}

// Forward from frame 0 while hovered, holding the last frame.
void DrawHoveredAnimation(PanelButton& button, uint32_t now, Picture& screen) {
  button.leftAt = 0;
  int32_t frame = 0;
  if (button.enteredAt == 0) {
    button.enteredAt = now;
  } else {
    const uint32_t steps = (now - button.enteredAt) / BUTTON_STEP_MS;
    const auto last = static_cast<uint32_t>(button.frameCount - 1);
    frame = static_cast<int32_t>(std::min(steps, last));
  }
  button.current = std::max(button.current, frame);
  Blit(button.frames[frame], button.x, button.y, screen, DRAW_KEYED, 1.0f);
}

// Backward from the highest frame reached, gone after frame 0.
void DrawLeavingAnimation(PanelButton& button, uint32_t now, Picture& screen) {
  button.enteredAt = 0;
  if (button.current < 0) return;
  Blit(button.frames[button.current], button.x, button.y, screen, DRAW_KEYED, 1.0f);
  if (button.leftAt == 0) {
    button.leftAt = now;
    return;
  }
  // Signed, so that a clock behind leftAt steps nothing.
  const int32_t steps = static_cast<int32_t>(now - button.leftAt) / int32_t{BUTTON_STEP_MS};
  if (steps >= 1) {
    button.current -= steps;
    button.leftAt += BUTTON_STEP_MS * static_cast<uint32_t>(steps);
  }
}

void DrawButtons(Panel& panel, uint32_t now, Picture& screen) {
  const uint8_t hovered = HoveredIndex(panel);
  for (PanelButton& button : panel.buttons) {
    const bool over = button.maskIndex == hovered;
    if (button.animated) {
      if (over) {
        DrawHoveredAnimation(button, now, screen);
      } else {
        DrawLeavingAnimation(button, now, screen);
      }
    } else if (over) {
      Blit(button.image, button.x, button.y, screen, DRAW_KEYED, 1.0f);
    }
  }
}

// The box is cleared each frame; the article's title line is drawn into it
// once articles exist, and the key 0 lets the chrome show around the text.
void DrawTitleBox(Panel& panel, Article* article, Picture& screen) {
  Picture& box = panel.titleBox;
  FillRect(0, 0, 0, box.width, box.height, box, DRAW_OPAQUE, 1.0f);
  if (article != nullptr) ArticleDrawTitle(*article, 0, 0, box);
  Blit(box, panel.titleX, panel.titleY, screen, DRAW_KEYED, 1.0f);
}

// The pointer relative to the middle area: x is -1 when it lies above or
// below it, so that no link there is hovered.
void SetArticleMouse(const Panel& panel, Article& article) {
  const int32_t height = panel.middle.height;
  const int32_t y = panel.mouseY - PanelTopHeight(panel);
  const int32_t x = y < 0 || y > height ? -1 : panel.mouseX;
  ArticleSetMouse(article, x, std::clamp(y, 0, height));
}

}  // namespace

void PanelSetMouse(Panel& panel, int32_t x, int32_t y) {
  panel.mouseX = x;
  panel.mouseY = y;
}

int32_t PanelHitTest(const Panel& panel) {
  if (panel.buttons.empty() || !panel.hasMask || !MouseInMask(panel)) return 0;
  const uint8_t index = HoveredIndex(panel);
  for (const PanelButton& button : panel.buttons) {
    if (button.maskIndex == index) return button.command;
  }
  return 0;
}

void PanelDrawChrome(Panel& panel, Article* article, Picture& screen, int32_t interpolate, float t,
                     float from, float to) {
  const uint32_t now = EngineTicks();
  DrawStrips(panel, screen);
  DrawChains(panel, now, screen);
  if (panel.hasMask) DrawButtons(panel, now, screen);
  if (panel.hasProgressBar) {
    const float p = interpolate ? (to - from) * t + from : ScrollFractionOf(article);
    ProgressBarDraw(panel, screen, p);
  }
  if (panel.hasTitleBox) DrawTitleBox(panel, article, screen);
}

Picture& PanelArticleView(Panel& panel, Picture& screen) {
  const int32_t top = PanelTopHeight(panel);
  panel.articleView = Picture{nullptr, screen.pixels + int64_t{top} * screen.width, screen.width,
                              std::min(panel.middle.height, screen.height - top)};
  return panel.articleView;
}

// The article view draws the article over the background.
void PanelDrawArticle(Panel& panel, Article* article, int32_t hitTest, Picture& screen) {
  Blit(panel.middle, 0, PanelTopHeight(panel), screen, DRAW_OPAQUE, 1.0f);
  if (article == nullptr) return;
  SetArticleMouse(panel, *article);
  ArticleSetView(*article, PanelArticleView(panel, screen));
  ArticleDraw(*article, panel.textX, {.hitTest = hitTest != 0, .left = true, .right = true});
}

// As PanelDrawArticle, into one of the transition's pages.
void PanelRenderPage(Panel& panel, Article* article, int32_t which, int32_t hitTest) {
  Picture& page = which != 0 ? panel.newPage : panel.oldPage;
  Blit(panel.middle, 0, 0, page, DRAW_OPAQUE, 1.0f);
  if (article == nullptr) return;
  SetArticleMouse(panel, *article);
  ArticleSetView(*article, page);
  ArticleDraw(*article, panel.textX, {.hitTest = hitTest != 0, .left = true, .right = true});
}
