// Panels: one full-screen layout of the magazine. The panel picture is cut
// into a top strip, a middle area where articles are shown, and a bottom
// strip; buttons are found through an 8-bit mask of the panel's size whose
// pixel values name the button they belong to; AniChains loop frames on the
// clock; a progress bar and a title box may be drawn over the chrome.
//
// Construction runs while the panel files are read and every failure is
// fatal. Drawing never fails: everything is clipped. A panel owns all its
// pictures; PanelDestroy releases them.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/picture.h"

struct Article;

struct PanelButton {
  int32_t x, y;       // screen position of the button's pictures
  Picture image;      // the highlight of a static button
  uint8_t maskIndex;  // the mask value of the button's area
  int32_t command;    // what the hit test returns for it
  int32_t animated;   // 1 when its frames come from a ".ani" file
  int32_t frameCount;
  int32_t current;  // highest frame reached, counted down after the mouse leaves
  std::vector<Picture> frames;
  uint32_t enteredAt;  // tick when hovering began; 0 = not hovering
  uint32_t leftAt;     // tick of the last backward step; 0 = not stepping back
};

struct AniChain {
  int32_t frameCount;  // > 0
  int32_t delay;       // ms per frame, not 0; taken unsigned
  int32_t x, y;
  std::vector<Picture> frames;
};

struct Panel {
  int32_t hasTop, hasBottom;
  Picture middle;   // the middle area's clean background
  Picture oldPage;  // middle-sized: the page being left in a transition
  Picture newPage;  // middle-sized: the page being entered
  Picture top, bottom;
  int32_t hasMask;
  IndexedPicture mask;               // the panel picture's size
  std::vector<PanelButton> buttons;  // newest first
  int32_t hasTitleBox;
  int32_t titleX, titleY;
  Picture titleBox;
  int32_t hasProgressBar;
  int32_t barX, barY;
  Picture bar;  // twice the visible width: full on the left half, empty on the right
  int32_t mouseX, mouseY;
  int32_t textX;                    // x origin of the article text in the middle area
  uint32_t created;                 // tick when built: the clock of its AniChains
  Picture articleView;              // borrows the screen's middle rows while the article is drawn
  std::vector<AniChain> aniChains;  // newest first
};

// Construction. maskPath may be null (no buttons can be hit). PanelCreate
// rebuilds the whole record and leaves it untouched when it fails. An
// AniChain's delay of 0 is refused; a negative one holds its first frame.
// PanelDestroy leaves the record empty.
void PanelCreate(Panel& panel, const char* picturePath, int32_t topHeight, int32_t middleEnd,
                 const char* maskPath);
void PanelSetTextX(Panel& panel, int32_t x);
void PanelSetTitleBox(Panel& panel, int32_t x, int32_t y, int32_t width, int32_t height);
void PanelSetProgressBar(Panel& panel, const char* picturePath, int32_t x, int32_t y);
void PanelAddButton(Panel& panel, const char* path, int32_t x, int32_t y, int32_t maskIndex,
                    int32_t command);
void PanelAddAniChain(Panel& panel, const char* path);
void PanelDestroy(Panel& panel);

// The height of the top strip (0 without one); the middle area starts there.
int32_t PanelTopHeight(const Panel& panel);

// Fatal ("Top strip and middle area are taller than the screen !") when the
// middle area ends below screenHeight: the article view on the screen would
// be shorter than the pages drawn for transitions.
void PanelCheckHeight(const Panel& panel, int32_t screenHeight);

// Per frame.
void PanelSetMouse(Panel& panel, int32_t x, int32_t y);
int32_t PanelHitTest(const Panel& panel);

// Strips, AniChains, buttons, the progress bar and the title box into screen.
// With interpolate set the bar shows (to - from) * t + from, otherwise the
// article's scroll fraction (0 without an article).
void PanelDrawChrome(Panel& panel, Article* article, Picture& screen, int32_t interpolate, float t,
                     float from, float to);

// The middle background at (0, top height) and the article over it.
void PanelDrawArticle(Panel& panel, Article* article, int32_t hitTest, Picture& screen);

// Points the panel's articleView at the screen rows of its middle area and
// returns it: the view an article is drawn into on the screen.
Picture& PanelArticleView(Panel& panel, Picture& screen);

// The middle background and the article's page into oldPage (which 0) or
// newPage (which 1), for a transition.
void PanelRenderPage(Panel& panel, Article* article, int32_t which, int32_t hitTest);

// The progress bar's part of PanelDrawChrome: half the bar picture, from the
// column that progress p (clamped to 0..1) selects. Fatal when the bar does not
// lie inside screen ("ProgressBar origin has bad values !").
void ProgressBarDraw(const Panel& panel, Picture& screen, float p);
