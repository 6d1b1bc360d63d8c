// The panel engine: the per-frame logic of the reader. A frame picks the
// screen mode (opening cover, closing sequence, picture view or the panels);
// in the panel view it performs the action asked for in the previous frame,
// redraws the current article in the current panel, reads the wheel, keys
// and buttons into the next action, and carries out the immediate commands:
// links, back, help, menu and index, search, music, panel switching and the
// picture view. Long actions animate inside the frame.
#pragma once

#include <cstdint>
#include <string>

#include "articles/article.h"
#include "base/path_limit.h"
#include "pictures/picture.h"

// What PanelHitTest hands out for the button under the mouse.
enum PanelCommands {
  COMMAND_QUIT = 1,
  COMMAND_HELP = 2,
  COMMAND_NEXT_TUNE = 3,
  COMMAND_PREV_TUNE = 4,
  COMMAND_LINE_UP = 5,
  COMMAND_LINE_DOWN = 6,
  COMMAND_PAGE_UP = 7,
  COMMAND_PAGE_DOWN = 8,
  COMMAND_TUNE_0 = 9,  // 9..12 play tunes 0..3
  COMMAND_TUNE_3 = 12,
  COMMAND_SILENCE = 13,
  COMMAND_PLAYLIST = 14,
  COMMAND_MENU = 15,
  COMMAND_INDEX = 16,
  COMMAND_BACK = 17,
};

// PendingAction values.
enum PanelActions {
  ACTION_NONE = 1,
  ACTION_LINE_DOWN = 2,
  ACTION_LINE_UP = 3,
  ACTION_PAGE_DOWN = 4,
  ACTION_PAGE_UP = 5,
  ACTION_NEXT_LINK = 6,
  ACTION_PREV_LINK = 7,
  ACTION_FIRST_PAGE = 8,
  ACTION_LAST_PAGE = 9,
};

// ScrollStyle values: how a page change is shown.
enum ScrollStyles {
  SCROLL_INSTANT = 1,
  SCROLL_DISSOLVE = 2,
  SCROLL_SLIDE = 3,
  SCROLL_CROSSFADE = 4,
  SCROLL_PAGE_TURN = 5,
};

constexpr const char* FIRST_ARTICLE = "DATA/arts/index.art";
constexpr const char* HELP_ARTICLE = "DATA/arts/help.art";
constexpr const char* MENU_ARTICLE = "DATA/arts/mmenu.art";

// The archive path of an article named by a person: a bare name such as
// "story.art" is looked for under DATA/arts/, a "DATA/..." path taken as it is.
std::string ArticlePathOf(const std::string& name);

struct PanelEngineState {
  int32_t CurrentPanelIndex;
  PanelActions PendingAction;  // done at the start of the next frame
  ScrollStyles ScrollStyle;
  int32_t LinkFocus;   // hotspot index of the keyboard-selected link
  int32_t OffPage;     // the view was moved by lines, off the page grid
  int32_t MouseAwake;  // links follow the pointer, not LinkFocus
  int32_t LastMouseX, LastMouseY;
  uint32_t LastMouseMoveTicks;
  int32_t JustSlept;           // the next redraw selects the first visible link
  int32_t KeepCursorHidden;    // no cursor during this frame
  const LinkEntry* Link;       // hovered or selected: the current article's, null for none
  int32_t PanelSwitchPending;  // a full-screen dissolve is due at the end of this frame
  int32_t PictureView;
  std::string PicturePath;
  Picture ViewedPicture;
  uint32_t PictureFadeStart;  // tick of the first picture-view frame; 0 = not started
  int32_t SearchActive;
  std::string SearchResultPath;
};

struct Reader;

// The reader's PanelEngine to its start values, the article stack emptied.
void PanelEngineReset(Reader& reader);

// Frees the viewed picture, if any.
void PanelEngineFree(Reader& reader);

// One frame into the reader's BackBuffer, presented.
void PanelEngineFrame(Reader& reader);
