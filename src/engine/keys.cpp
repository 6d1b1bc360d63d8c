#include "engine/keys.h"

#include <array>
#include <cstdio>
#include <utility>

#include "resources/resource_file.h"

namespace {

using Flag = int32_t KeyState::*;

// The flag each slot sets; slot 2 is read from the file but has no command.
constexpr std::array<Flag, KEY_SLOTS> SLOT_FLAGS = {
    &KeyState::quit,      &KeyState::follow,   nullptr,
    &KeyState::lineUp,    &KeyState::pageDown, &KeyState::lineDown,
    &KeyState::pageUp,    &KeyState::nextLink, &KeyState::prevLink,
    &KeyState::firstPage, &KeyState::lastPage, &KeyState::scrollStyle,
    &KeyState::nextPanel, &KeyState::help,     &KeyState::search,
    &KeyState::back,      &KeyState::pageUp2,  &KeyState::pageDown2,
    &KeyState::prevTune,  &KeyState::nextTune, &KeyState::pauseMusic,
    &KeyState::saveText,  &KeyState::silence,  &KeyState::playList,
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

void ClearSlotFlags(KeyState& flags, KeyTapLatch& taps) {
  for (Flag flag : SLOT_FLAGS) {
    if (flag != nullptr) flags.*flag = 0;
  }
  taps = KeyTapLatch{};
}

void SetSlot(KeyState& flags, KeyTapLatch& taps, size_t slot, bool down) {
  const uint32_t bit = uint32_t{1} << slot;
  if (down) {
    flags.*SLOT_FLAGS[slot] = 1;
    taps.unseen |= bit;
    taps.releasePending &= ~bit;
  } else if ((taps.unseen & bit) != 0) {
    taps.releasePending |= bit;
  } else {
    flags.*SLOT_FLAGS[slot] = 0;
  }
}

}  // namespace

void KeyStateCreate(KeyTable& keys, KeyState& flags, KeyTapLatch& taps) {
  flags = KeyState{};
  taps = KeyTapLatch{};
  DecodeKeyTable(ReadKeyFile(), keys);
}

void HandleKeyEvent(const KeyTable& keys, KeyState& flags, KeyTapLatch& taps,
                    const SDL_Event& event) {
  const int32_t code = ScanCodeOf(event.key.keysym.sym);
  // Never hand on a key without a code: it would match every slot left at 0.
  if (code < 0) return;
  const bool down = event.type != SDL_KEYUP;
  if (flags.capture != 0) {
    ClearSlotFlags(flags, taps);
    if (code == keys[0]) flags.quit = down ? 1 : 0;
    return;
  }
  for (size_t slot = 0; slot < SLOT_FLAGS.size(); ++slot) {
    if (SLOT_FLAGS[slot] != nullptr && keys[slot] == code) SetSlot(flags, taps, slot, down);
  }
}

void KeyFrameDone(KeyState& flags, KeyTapLatch& taps) {
  for (size_t slot = 0; slot < SLOT_FLAGS.size(); ++slot) {
    if ((taps.releasePending >> slot & 1) != 0) flags.*SLOT_FLAGS[slot] = 0;
  }
  taps = KeyTapLatch{};
}

int32_t KeyLineUp(const KeyState& flags) { return flags.lineUp; }
int32_t KeyLineDown(const KeyState& flags) { return flags.lineDown; }
int32_t KeyFirstPage(const KeyState& flags) { return flags.firstPage; }
int32_t KeyLastPage(const KeyState& flags) { return flags.lastPage; }

int32_t KeyQuit(KeyState& flags) { return std::exchange(flags.quit, 0); }
int32_t KeyFollow(KeyState& flags) { return std::exchange(flags.follow, 0); }
int32_t KeyPageUp(KeyState& flags) { return std::exchange(flags.pageUp, 0); }
int32_t KeyPageDown(KeyState& flags) { return std::exchange(flags.pageDown, 0); }
int32_t KeyPageUp2(KeyState& flags) { return std::exchange(flags.pageUp2, 0); }
int32_t KeyPageDown2(KeyState& flags) { return std::exchange(flags.pageDown2, 0); }
int32_t KeyNextLink(KeyState& flags) { return std::exchange(flags.nextLink, 0); }
int32_t KeyPrevLink(KeyState& flags) { return std::exchange(flags.prevLink, 0); }
int32_t KeyScrollStyle(KeyState& flags) { return std::exchange(flags.scrollStyle, 0); }
int32_t KeyNextPanel(KeyState& flags) { return std::exchange(flags.nextPanel, 0); }
int32_t KeyHelp(KeyState& flags) { return std::exchange(flags.help, 0); }
int32_t KeySearch(KeyState& flags) { return std::exchange(flags.search, 0); }
int32_t KeyBack(KeyState& flags) { return std::exchange(flags.back, 0); }
int32_t KeyPrevTune(KeyState& flags) { return std::exchange(flags.prevTune, 0); }
int32_t KeyNextTune(KeyState& flags) { return std::exchange(flags.nextTune, 0); }
int32_t KeyPauseMusic(KeyState& flags) { return std::exchange(flags.pauseMusic, 0); }
int32_t KeySaveText(KeyState& flags) { return std::exchange(flags.saveText, 0); }
int32_t KeySilence(KeyState& flags) { return std::exchange(flags.silence, 0); }
int32_t KeyPlayList(KeyState& flags) { return std::exchange(flags.playList, 0); }

void RaiseQuit(KeyState& flags) { flags.quit = 1; }
void RearmFollow(KeyState& flags) { flags.follow = 1; }
void CaptureOn(KeyState& flags) { flags.capture = 1; }
void CaptureOff(KeyState& flags) { flags.capture = 0; }
