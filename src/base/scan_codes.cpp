#include "base/scan_codes.h"

#include <array>
#include <string_view>

namespace {

// Printable keys whose symbol is their unshifted ASCII character, by row:
// each row's keys have consecutive set-1 codes from first on.
struct KeyRow {
  std::string_view keys;
  int8_t first;
};

constexpr KeyRow PRINTABLE_ROWS[] = {
    {"1234567890-=", 2},
    {"qwertyuiop[]", 16},
    {"asdfghjkl;'`", 30},
    {"\\zxcvbnm,./", 43},
};

struct KeyCode {
  SDLKey key;
  int8_t code;
};

constexpr KeyCode OTHER_KEYS[] = {
    {SDLK_ESCAPE, 1},
    {SDLK_BACKSPACE, 14},
    {SDLK_TAB, 15},
    {SDLK_RETURN, 28},
    {SDLK_LCTRL, 29},
    {SDLK_RCTRL, 29},
    {SDLK_LSHIFT, 42},
    {SDLK_RSHIFT, 54},
    {SDLK_LALT, 56},
    {SDLK_RALT, 56},
    {SDLK_SPACE, 57},
    {SDLK_CAPSLOCK, 58},
    {SDLK_F1, 59},
    {SDLK_F2, 60},
    {SDLK_F3, 61},
    {SDLK_F4, 62},
    {SDLK_F5, 63},
    {SDLK_F6, 64},
    {SDLK_F7, 65},
    {SDLK_F8, 66},
    {SDLK_F9, 67},
    {SDLK_F10, 68},
    {SDLK_F11, 87},
    {SDLK_F12, 88},
    {SDLK_NUMLOCK, 69},
    {SDLK_SCROLLOCK, 70},
    {SDLK_KP_MULTIPLY, 55},
    {SDLK_KP7, 71},
    {SDLK_KP8, 72},
    {SDLK_KP9, 73},
    {SDLK_KP_MINUS, 74},
    {SDLK_KP4, 75},
    {SDLK_KP5, 76},
    {SDLK_KP6, 77},
    {SDLK_KP_PLUS, 78},
    {SDLK_KP1, 79},
    {SDLK_KP2, 80},
    {SDLK_KP3, 81},
    {SDLK_KP0, 82},
    {SDLK_KP_PERIOD, 83},
    {SDLK_KP_ENTER, 28},
    {SDLK_KP_DIVIDE, 53},
    {SDLK_LESS, 86},
    {SDLK_SYSREQ, 84},
    // The extended keys report the code of their keypad twin (E0 prefix dropped).
    {SDLK_HOME, 71},
    {SDLK_UP, 72},
    {SDLK_PAGEUP, 73},
    {SDLK_LEFT, 75},
    {SDLK_RIGHT, 77},
    {SDLK_END, 79},
    {SDLK_DOWN, 80},
    {SDLK_PAGEDOWN, 81},
    {SDLK_INSERT, 82},
    {SDLK_DELETE, 83},
    {SDLK_PRINT, 55},
    // The Windows keys arrive as SUPER from SDL 1.2 and as META through
    // sdl12-compat; Menu as MENU where the backend knows it.
    {SDLK_LSUPER, 91},
    {SDLK_LMETA, 91},
    {SDLK_RSUPER, 92},
    {SDLK_RMETA, 92},
    {SDLK_MENU, 93},
};

using CodeTable = std::array<int8_t, SDLK_LAST>;

constexpr CodeTable BuildCodeTable() {
  CodeTable table{};
  table.fill(-1);
  for (const KeyRow& row : PRINTABLE_ROWS) {
    for (size_t i = 0; i < row.keys.size(); ++i) {
      table[static_cast<unsigned char>(row.keys[i])] = static_cast<int8_t>(row.first + i);
    }
  }
  for (const KeyCode& key : OTHER_KEYS) table[key.key] = key.code;
  return table;
}

constexpr CodeTable CODE_OF_SYMBOL = BuildCodeTable();

}  // namespace

int32_t ScanCodeOf(SDLKey key) {
  const auto index = static_cast<int>(key);
  if (index < 0 || index >= SDLK_LAST) return -1;
  return CODE_OF_SYMBOL[static_cast<size_t>(index)];
}
