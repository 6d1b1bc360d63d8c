// The reader's state: one record, made by RunReader before the video starts
// and dropped after the engine's shutdown, lent by reference to the main
// loop, the engine and every frame step. A step that needs one or two parts
// takes those parts; the others take the record.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "articles/article.h"
#include "base/setup_config.h"
#include "engine/article_stack.h"
#include "engine/covers.h"
#include "engine/engine.h"
#include "engine/frame_pacing.h"
#include "engine/issue_watch.h"
#include "engine/keys.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/present.h"
#include "engine/video.h"
#include "pictures/picture.h"
#include "search/search.h"
#include "search/search_keys.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

struct Reader {
  // The settings of this run and the screen they opened.
  SetupConfig Setup{};
  VideoState Video{};
  FramePacing Pacing{};

  // Input as the frames read it.
  KeyTable Keys{};
  KeyState KeyFlags{};
  KeyTapLatch KeyTaps{};
  std::vector<KeyPress> KeyPresses;  // since the last frame, for the search box
  MouseState Mouse{};

  // The pictures, from ENGINE_INIT to ENGINE_SHUTDOWN (the cursor from the
  // video's start to its stop).
  Picture BackBuffer{};              // 640x480, everything is drawn here
  SDL_Surface* BackBufferSurface{};  // its pixels in DirectX-blit mode, or null
  Picture SavedScreen{};             // the previous screen, for transitions
  IndexedPicture PlasmaImage{};      // the dissolve mask of panel changes
  Picture CursorImage{};             // the engine's own mouse cursor
  PresentState Presentation{};

  // The faces lent to the articles.
  std::unique_ptr<FixedFont> EngineFixedFont;      // "DATA/fonts/fixed.fnt"
  std::unique_ptr<FontManager> EngineFontManager;  // with the fonts.txt faces

  // The panels and what they show.
  PanelArray PanelList;
  int32_t PanelCount{};
  Panel* CurrentPanel{};  // the panel shown; PanelList[0] after parsing
  PanelEngineState PanelEngine{};
  std::unique_ptr<SearchBox> Search;  // the search box, from ENGINE_INIT
  std::unique_ptr<Article> CurrentArticle;
  std::string CurrentArticlePath;  // at most PATH_MAX_CHARS characters
  std::array<ArticlePlace, ARTICLE_STACK_SIZE> ArticleStack{};
  int32_t ArticleStackDepth{};
  int32_t NextSavedText{};  // the "fil_N.txt" number the save key tries next

  // The screens around the panels.
  OpeningCoverState OpeningCover{};
  ClosingSequenceState ClosingSequence{};

  // Where an editor starts: this article in the first panel, without the
  // opening cover; empty for the contents after the cover.
  std::string StartArticle;
  IssueWatch Watch;  // live preview for editors, when enabled
};
