// A headless reader over a tiny issue in a scratch folder given as its places:
// three panels of different colours, each with a back button (command 17) at
// BACK_BUTTON; keys for slots 0 to 15; a 100x80 "DATA/pix/pic.png"; articles
//   index.art  line and page scrolling; three lines, four links (the third
//              wrapped), then pages of text
//   two.art    two columns, line and single spread steps; a link on line 3
//   plain.art  no scrolling; a link to pages.art
//   pages.art  page scrolling only, four pages
//   links.art  PAN:, PIX: and a 4200-character EXE: link, one per line
// It starts at index.art, as --start does. The clock stands still or moves on
// a step at every read, so that the animations inside a frame end.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

#include "articles/article.h"
#include "engine/main_loop.h"
#include "engine/reader_state.h"
#include "resources/reader_places.h"
#include "support/scratch_dir.h"

enum KeySlot {
  SLOT_PAGE_DOWN = 4, SLOT_LINE_DOWN = 5, SLOT_NEXT_LINK = 7, SLOT_PREV_LINK = 8,
  SLOT_SCROLL_STYLE = 11, SLOT_NEXT_PANEL = 12, SLOT_SEARCH = 14, SLOT_BACK = 15,
};

struct ScreenPoint { int x, y; };

constexpr uint32_t PANEL_COLOURS[3] = {0x102030, 0x304010, 0x401030};
constexpr uint32_t PICTURE_COLOUR = 0xFF8000;
constexpr int32_t TEXT_X = 16;  // columns left of it are always panel background
constexpr ScreenPoint BACK_BUTTON = {50, 460};
constexpr ScreenPoint AWAY = {600, 300};  // over no link and no button
constexpr const char* LONG_TARGET_PREFIX = "EXE:";

class ReaderFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  static void UseSteppingClock(uint32_t step);
  static void UseStillClock(uint32_t now);
  static uint32_t Now();

  // One main-loop iteration: the queued events, then one frame.
  void Step();
  // Pushes the press, steps, and queues the release for the next step.
  void Key(int slot);
  void Click(ScreenPoint at, Uint8 button = SDL_BUTTON_LEFT);
  static void MoveTo(ScreenPoint at);

  // The current article's first link whose target starts with prefix.
  const LinkEntry& FindLink(const std::string& prefix) const;
  // A screen point on the first piece of that link.
  ScreenPoint LinkPoint(const std::string& prefix) const;
  void ClickLink(const std::string& prefix) { Click(LinkPoint(prefix)); }

  ScratchDir dir{nullptr, ScratchDir::STAY};
  ReaderPlaces places{dir.File(RESOURCE_ARCHIVE_FILE), dir.path()};
  std::unique_ptr<Reader> readerRecord = std::make_unique<Reader>();
  Reader& reader = *readerRecord;
  MainLoopState loop{};
};

Picture CopyOf(const Picture& picture);
