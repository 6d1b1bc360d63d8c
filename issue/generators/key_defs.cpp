#include "generators/key_defs.h"

#include <array>
#include <cstdint>

#include "generators/file_writer.h"

namespace {

// Slot order as the reader numbers its commands.
constexpr std::array<int32_t, 24> KEYS = {
    1,   // quit: Escape
    28,  // follow a link: Enter
    0,   // (no command)
    72,  // line up: Up
    81,  // page down: Page Down
    80,  // line down: Down
    73,  // page up: Page Up
    15,  // next link: Tab
    41,  // previous link: the key left of 1 (`)
    71,  // first page: Home
    79,  // last page: End
    62,  // next scroll style: F4
    61,  // next panel: F3
    59,  // help: F1
    60,  // search: F2
    14,  // back: Backspace
    75,  // page up: Left
    77,  // page down: Right
    63,  // previous tune: F5
    64,  // next tune: F6
    65,  // pause music: F7
    68,  // save the article's text: F10
    66,  // silence: F8
    67,  // play the list: F9
};

}  // namespace

bool WriteKeyDefs(const std::string& dataDir) {
  std::string bytes;
  for (int32_t code : KEYS) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(code >> shift));
  }
  return WriteText(dataDir + "/configs/keydefs.cfg", bytes);
}
