// The opening cover shown before the first panel, and the closing sequence
// (closing cover and end scroller) started by the first quit request.
//
// The opening cover stays for 7 s from its first frame; its tune
// (COVER_TUNE) starts on the second frame. The closing cover fades in over
// the last screen for 1.5 s, then the credits scroll up at x 362 once every
// 12 s; from 13.5 s on every frame raises the quit request.
#pragma once

#include <cstdint>

#include "engine/keys.h"
#include "pictures/picture.h"

constexpr const char* OPENING_COVER_PATH = "DATA/panels/CoverBeg.png";
constexpr const char* CLOSING_COVER_PATH = "DATA/panels/CoverEnd.png";
constexpr const char* END_SCROLL_PATH = "DATA/panels/EndScroll.png";
// The credits' words, which only the web edition reads: its closing page
// gives them to screen readers.
constexpr const char* END_SCROLL_TEXT = "DATA/panels/EndScroll.txt";
constexpr const char* COVER_TUNE = "DATA/msx/beg.xm";
constexpr int32_t END_SCROLL_X = 362;  // the credits' left edge on the screen

struct OpeningCoverState {
  Picture Cover;
  int32_t Loaded;
  int32_t Done;
  uint32_t StartTick;
  int32_t Calls;  // frames so far
};

struct ClosingSequenceState {
  Picture Cover;
  Picture Scroll;
  Picture LastScreen;  // what the cover fades in over
  int32_t Loaded;
  int32_t ClosingDone = 1;  // 1 while not running
  uint32_t StartTick;
};

// Both records to their start-up state, the pictures freed.
void CoversReset(OpeningCoverState& opening, ClosingSequenceState& closing);

void OpeningCoverFrame(OpeningCoverState& opening, Picture& screen);
int32_t OpeningCoverDone(const OpeningCoverState& opening);
// Done at once, without a picture; the intro tune starts all the same.
void OpeningCoverSkip(OpeningCoverState& opening);
void OpeningCoverFree(OpeningCoverState& opening);

void StartClosing(ClosingSequenceState& closing);
int32_t ClosingDone(const ClosingSequenceState& closing);
// The quit requests go to keys.
void ClosingFrame(ClosingSequenceState& closing, Picture& screen, KeyState& keys);
void ClosingFree(ClosingSequenceState& closing);
