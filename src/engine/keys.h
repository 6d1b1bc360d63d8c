// Key definitions and the key flags: "DATA/configs/keydefs.cfg" gives a
// keyboard scan code (PC set 1) to each of 24 command slots; key events set
// and clear one flag per slot. Held flags are read as they are; pressed flags
// are cleared by reading, so each press acts once. In capture mode (the search
// box takes text) every flag is wiped by the next key event and only the quit
// key still acts.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>

#include "base/scan_codes.h"

constexpr int KEY_SLOTS = 24;
constexpr const char* KEYDEFS_PATH = "DATA/configs/keydefs.cfg";

// One scan code per slot; slots the file does not cover are 0.
using KeyTable = std::array<int32_t, KEY_SLOTS>;

struct KeyState {
  int32_t playList;     // slot 23, pressed
  int32_t silence;      // 22, pressed
  int32_t quit;         // 0, pressed; also raised by the exit button and the closing
  int32_t pageUp;       // 6, pressed
  int32_t pageDown;     // 4, pressed
  int32_t lineUp;       // 3, held
  int32_t lineDown;     // 5, held
  int32_t follow;       // 1, pressed
  int32_t firstPage;    // 9, held
  int32_t lastPage;     // 10, held
  int32_t nextLink;     // 7, pressed
  int32_t prevLink;     // 8, pressed
  int32_t scrollStyle;  // 11, pressed
  int32_t nextPanel;    // 12, pressed
  int32_t help;         // 13, pressed
  int32_t search;       // 14, pressed
  int32_t back;         // 15, pressed
  int32_t pageUp2;      // 16, pressed
  int32_t pageDown2;    // 17, pressed
  int32_t prevTune;     // 18, pressed
  int32_t nextTune;     // 19, pressed
  int32_t pauseMusic;   // 20, pressed
  int32_t saveText;     // 21, pressed
  int32_t capture;      // capture mode on (1) or off (0)
};

// Slots as bits: pressed since the last frame ended, and released before any
// frame saw them. A tap within one event drain is kept for one frame.
struct KeyTapLatch {
  uint32_t unseen;
  uint32_t releasePending;
};

// All flags and taps 0 and the table read from the key file (a missing file
// leaves it all 0; a short one fills what it holds, a longer one gives its
// first 96 bytes).
void KeyStateCreate(KeyTable& keys, KeyState& flags, KeyTapLatch& taps);

// For every SDL_KEYDOWN and SDL_KEYUP: sets (down) or clears (up) the flags
// of every slot whose scan code is the key's. A key without a set-1 code is
// not handed on. A key released before any frame saw it down stays set until
// KeyFrameDone, so that a quick tap is never lost.
void HandleKeyEvent(const KeyTable& keys, KeyState& flags, KeyTapLatch& taps,
                    const SDL_Event& event);

// Called after each frame: clears the taps that frame has now seen.
void KeyFrameDone(KeyState& flags, KeyTapLatch& taps);

// Held readers.
int32_t KeyLineUp(const KeyState& flags);
int32_t KeyLineDown(const KeyState& flags);
int32_t KeyFirstPage(const KeyState& flags);
int32_t KeyLastPage(const KeyState& flags);

// Pressed readers: the flag, cleared.
int32_t KeyQuit(KeyState& flags);
int32_t KeyFollow(KeyState& flags);
int32_t KeyPageUp(KeyState& flags);
int32_t KeyPageDown(KeyState& flags);
int32_t KeyPageUp2(KeyState& flags);
int32_t KeyPageDown2(KeyState& flags);
int32_t KeyNextLink(KeyState& flags);
int32_t KeyPrevLink(KeyState& flags);
int32_t KeyScrollStyle(KeyState& flags);
int32_t KeyNextPanel(KeyState& flags);
int32_t KeyHelp(KeyState& flags);
int32_t KeySearch(KeyState& flags);
int32_t KeyBack(KeyState& flags);
int32_t KeyPrevTune(KeyState& flags);
int32_t KeyNextTune(KeyState& flags);
int32_t KeyPauseMusic(KeyState& flags);
int32_t KeySaveText(KeyState& flags);
int32_t KeySilence(KeyState& flags);
int32_t KeyPlayList(KeyState& flags);

void RaiseQuit(KeyState& flags);    // the exit button and the closing sequence
void RearmFollow(KeyState& flags);  // gives back a follow press that opened nothing
void CaptureOn(KeyState& flags);
void CaptureOff(KeyState& flags);
