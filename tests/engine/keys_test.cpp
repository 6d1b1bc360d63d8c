#include "engine/keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "resources/archive.h"
#include "support/issue_dir.h"
#include "support/sdl_events.h"

namespace {

// Slot i is given the code of KEYS[i]; slot 2 (Space) has no command.
const SDLKey KEYS[KEY_SLOTS] = {
    SDLK_ESCAPE, SDLK_RETURN, SDLK_SPACE, SDLK_UP,  SDLK_PAGEDOWN,  SDLK_DOWN,
    SDLK_PAGEUP, SDLK_TAB,    SDLK_BACKSPACE, SDLK_HOME, SDLK_END,  SDLK_F1,
    SDLK_F2,     SDLK_F3,     SDLK_F4,    SDLK_F5,  SDLK_F6,        SDLK_F7,
    SDLK_F8,     SDLK_F9,     SDLK_F10,   SDLK_F11, SDLK_F12,       SDLK_a};

std::vector<uint8_t> KeyFile(std::vector<int32_t> codes, size_t size) {
  std::vector<uint8_t> bytes = LittleEndianWords(codes);
  bytes.resize(size);
  return bytes;
}

std::vector<int32_t> FullCodes() {
  std::vector<int32_t> codes;
  for (SDLKey key : KEYS) codes.push_back(ScanCodeOf(key));
  return codes;
}

class KeysTest : public IssueDirTest {
 protected:
  void Load(const std::vector<uint8_t>& bytes) {
    WriteFileBytes("keydefs.cfg", bytes);
    KeyStateCreate(Keys, KeyFlags, KeyTaps);
  }

  // Fields of KeyFlags that are not 0, capture included.
  long SetFlags() const {
    int32_t flags[sizeof(KeyState) / 4];
    std::memcpy(flags, &KeyFlags, sizeof flags);
    return std::count_if(std::begin(flags), std::end(flags), [](int32_t f) { return f != 0; });
  }

  void Press(SDLKey key) { HandleKeyEvent(Keys, KeyFlags, KeyTaps, KeyEvent(SDL_KEYDOWN, key)); }
  void Release(SDLKey key) { HandleKeyEvent(Keys, KeyFlags, KeyTaps, KeyEvent(SDL_KEYUP, key)); }

  KeyTable Keys{};
  KeyState KeyFlags{};
  KeyTapLatch KeyTaps{};
};

}  // namespace

// A longer file gives its first 96 bytes; a missing one clears every slot.
TEST_F(KeysTest, ShortFilesLeaveZeroSlotsThatNoKeyMatches) {
  Load(KeyFile({1, 0x7F011C}, 6));
  EXPECT_EQ(Keys[1], 0x011C);  // partly covered: high bytes stay 0
  Load(KeyFile({1, 28}, 8));
  EXPECT_EQ(Keys, (KeyTable{1, 28}));
  for (SDLKey key : {SDLK_WORLD_0, SDLK_PAUSE, SDLK_UNKNOWN, SDLK_a}) Press(key);
  EXPECT_EQ(SetFlags(), 0);
  std::vector<int32_t> codes = FullCodes();
  codes.push_back(7);
  Load(KeyFile(codes, 100));
  EXPECT_TRUE(std::equal(Keys.begin(), Keys.end(), codes.begin()));
  RaiseQuit(KeyFlags);
  std::remove("keydefs.cfg");
  KeyStateCreate(Keys, KeyFlags, KeyTaps);
  EXPECT_EQ(Keys, KeyTable{});
  EXPECT_EQ(SetFlags(), 0);
}

TEST_F(KeysTest, TapWithinOneDrainLastsOneFrameAndSharedCodesActTogether) {
  std::vector<int32_t> codes = FullCodes();
  codes[17] = codes[4];
  Load(KeyFile(codes, 96));
  for (SDLKey key : {SDLK_RETURN, SDLK_DOWN}) {
    Press(key);
    Release(key);
  }
  EXPECT_EQ(KeyFollow(KeyFlags), 1);
  EXPECT_EQ(KeyLineDown(KeyFlags), 1);
  KeyFrameDone(KeyFlags, KeyTaps);
  EXPECT_EQ(KeyLineDown(KeyFlags), 0);
  Press(SDLK_DOWN);  // seen held by a frame: the release acts at once
  KeyFrameDone(KeyFlags, KeyTaps);
  Release(SDLK_DOWN);
  EXPECT_EQ(KeyLineDown(KeyFlags), 0);
  Press(SDLK_PAGEDOWN);
  EXPECT_EQ(KeyPageDown(KeyFlags) + KeyPageDown2(KeyFlags), 2);
}

TEST_F(KeysTest, CaptureWipesFlagsAndLetsOnlyQuitThrough) {
  Load(KeyFile(FullCodes(), 96));
  Press(SDLK_DOWN);
  RearmFollow(KeyFlags);
  CaptureOn(KeyFlags);
  Press(SDLK_TAB);
  EXPECT_EQ(SetFlags(), 1);  // capture itself
  Press(SDLK_ESCAPE);
  EXPECT_EQ(KeyQuit(KeyFlags), 1);
  CaptureOff(KeyFlags);
  Press(SDLK_TAB);
  EXPECT_EQ(KeyNextLink(KeyFlags), 1);
}

TEST(ScanCodeOf, MapsEachGroupOfTheMainKeyboard) {
  const std::pair<SDLKey, int32_t> cases[] = {
      {SDLK_ESCAPE, 1},     {SDLK_EQUALS, 13},    {SDLK_q, 16},        {SDLK_BACKQUOTE, 41},
      {SDLK_BACKSLASH, 43}, {SDLK_SLASH, 53},     {SDLK_RALT, 56},     {SDLK_F11, 87},
      {SDLK_KP_PERIOD, 83}, {SDLK_KP_ENTER, 28},  {SDLK_RIGHT, 77},    {SDLK_DELETE, 83},
      {SDLK_LESS, 86},      {SDLK_LSUPER, 91},    {SDLK_LMETA, 91},    {SDLK_RSUPER, 92},
      {SDLK_RMETA, 92},     {SDLK_MENU, 93},      {SDLK_PRINT, 55},    {SDLK_SYSREQ, 84},
      {SDLK_WORLD_0, -1},   {SDLK_KP_EQUALS, -1}, {SDLK_PAUSE, -1},    {SDLK_LAST, -1}};
  for (auto [key, code] : cases) EXPECT_EQ(ScanCodeOf(key), code) << key;
}
