#include <array>
#include <cstdio>
#include <utility>

#include "engine/keys.h"
#include "resources/resource_file.h"

KeyTable Keys;
KeyState KeyFlags;

namespace {

// Slots as bits: pressed since the last frame ended, and released before any
// frame saw them. A tap within one event drain is kept for one frame.
struct KeyLatch {
  uint32_t unseen;
  uint32_t releasePending;
};
KeyLatch latch;

using Flag = int32_t KeyState::*;

// The flag each slot sets; slot 2 is read from the file but has no command.
constexpr std::array<Flag, KEY_SLOTS> SLOT_FLAGS = {
    &KeyState::quit,        &KeyState::follow,    nullptr,
    &KeyState::lineUp,      &KeyState::pageDown,  &KeyState::lineDown,
    &KeyState::pageUp,      &KeyState::nextLink,  &KeyState::prevLink,
    &KeyState::firstPage,   &KeyState::lastPage,  &KeyState::scrollStyle,
    &KeyState::nextPanel,   &KeyState::help,      &KeyState::search,
    &KeyState::back,        &KeyState::pageUp2,   &KeyState::pageDown2,
    &KeyState::prevTune,    &KeyState::nextTune,  &KeyState::pauseMusic,
    &KeyState::saveText,    &KeyState::silence,   &KeyState::playList,
};

using KeyFileBytes = std::array<uint8_t, KEY_SLOTS * 4>;

// Bytes a short file does not reach stay 0, so a partly covered slot keeps
// zero high bytes.
KeyFileBytes ReadKeyFile() {
  KeyFileBytes bytes{};
  const ResourceFile source(KEYDEFS_PATH);
  if (const FilePtr file = source.Open()) std::fread(bytes.data(), 1, bytes.size(), file.get());
  return bytes;
}

void DecodeKeyTable(const KeyFileBytes& bytes, KeyTable& table) {
  size_t at = 0;
  for (int32_t& code : table) {
    uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= uint32_t{bytes[at++]} << shift;
    code = static_cast<int32_t>(value);
  }
}

void ClearSlotFlags() {
  for (Flag flag : SLOT_FLAGS) {
    if (flag != nullptr) KeyFlags.*flag = 0;
  }
  latch = KeyLatch{};
}

void SetSlot(size_t slot, bool down) {
  const uint32_t bit = uint32_t{1} << slot;
  if (down) {
    KeyFlags.*SLOT_FLAGS[slot] = 1;
    latch.unseen |= bit;
    latch.releasePending &= ~bit;
  } else if ((latch.unseen & bit) != 0) {
    latch.releasePending |= bit;
  } else {
    KeyFlags.*SLOT_FLAGS[slot] = 0;
  }
}

}  // namespace

void KeyStateCreate() {
  KeyFlags = KeyState{};
  latch = KeyLatch{};
  DecodeKeyTable(ReadKeyFile(), Keys);
}

void HandleKeyEvent(const SDL_Event& event) {
  const int32_t code = ScanCodeOf(event.key.keysym.sym);
  // Never hand on a key without a code: it would match every slot left at 0.
  if (code < 0) return;
  const bool down = event.type != SDL_KEYUP;
  if (KeyFlags.capture != 0) {
    ClearSlotFlags();
    if (code == Keys[0]) KeyFlags.quit = down ? 1 : 0;
    return;
  }
  for (size_t slot = 0; slot < SLOT_FLAGS.size(); ++slot) {
    if (SLOT_FLAGS[slot] != nullptr && Keys[slot] == code) SetSlot(slot, down);
  }
}

void KeyFrameDone() {
  for (size_t slot = 0; slot < SLOT_FLAGS.size(); ++slot) {
    if ((latch.releasePending >> slot & 1) != 0) KeyFlags.*SLOT_FLAGS[slot] = 0;
  }
  latch = KeyLatch{};
}

int32_t KeyLineUp() { return KeyFlags.lineUp; }
int32_t KeyLineDown() { return KeyFlags.lineDown; }
int32_t KeyFirstPage() { return KeyFlags.firstPage; }
int32_t KeyLastPage() { return KeyFlags.lastPage; }

int32_t KeyQuit() { return std::exchange(KeyFlags.quit, 0); }
int32_t KeyFollow() { return std::exchange(KeyFlags.follow, 0); }
int32_t KeyPageUp() { return std::exchange(KeyFlags.pageUp, 0); }
int32_t KeyPageDown() { return std::exchange(KeyFlags.pageDown, 0); }
int32_t KeyPageUp2() { return std::exchange(KeyFlags.pageUp2, 0); }
int32_t KeyPageDown2() { return std::exchange(KeyFlags.pageDown2, 0); }
int32_t KeyNextLink() { return std::exchange(KeyFlags.nextLink, 0); }
int32_t KeyPrevLink() { return std::exchange(KeyFlags.prevLink, 0); }
int32_t KeyScrollStyle() { return std::exchange(KeyFlags.scrollStyle, 0); }
int32_t KeyNextPanel() { return std::exchange(KeyFlags.nextPanel, 0); }
int32_t KeyHelp() { return std::exchange(KeyFlags.help, 0); }
int32_t KeySearch() { return std::exchange(KeyFlags.search, 0); }
int32_t KeyBack() { return std::exchange(KeyFlags.back, 0); }
int32_t KeyPrevTune() { return std::exchange(KeyFlags.prevTune, 0); }
int32_t KeyNextTune() { return std::exchange(KeyFlags.nextTune, 0); }
int32_t KeyPauseMusic() { return std::exchange(KeyFlags.pauseMusic, 0); }
int32_t KeySaveText() { return std::exchange(KeyFlags.saveText, 0); }
int32_t KeySilence() { return std::exchange(KeyFlags.silence, 0); }
int32_t KeyPlayList() { return std::exchange(KeyFlags.playList, 0); }

void RaiseQuit() { KeyFlags.quit = 1; }
void RearmFollow() { KeyFlags.follow = 1; }
void CaptureOn() { KeyFlags.capture = 1; }
void CaptureOff() { KeyFlags.capture = 0; }
