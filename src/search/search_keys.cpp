#include "search/search_keys.h"

#include <string_view>

namespace {

// Table ranges: 32..36, 38..64, 91..122.
constexpr int FIRST_RANGE = 5, SECOND_RANGE = 27;

constexpr std::string_view UNSHIFTED = "`1234567890-=[];'\\,./";
constexpr std::string_view SHIFTED = "~!@#$%^&*()_+{}:\"|<>?";
static_assert(UNSHIFTED.size() == SHIFTED.size());

}  // namespace

SDLKey SearchKeyAt(int i) {
  if (i < FIRST_RANGE) return static_cast<SDLKey>(32 + i);
  if (i < FIRST_RANGE + SECOND_RANGE) return static_cast<SDLKey>(38 + i - FIRST_RANGE);
  return static_cast<SDLKey>(91 + i - FIRST_RANGE - SECOND_RANGE);
}

char ShiftedCharacter(char c) {
  const size_t at = UNSHIFTED.find(c);
  return at == std::string_view::npos ? c : SHIFTED[at];
}

char TypedCharacter(KeyPress press) {
  for (int i = 0; i < SEARCH_KEY_COUNT; ++i) {
    if (SearchKeyAt(i) != press.key) continue;
    const char c = static_cast<char>(press.key);
    return press.shift ? ShiftedCharacter(c) : c;
  }
  return 0;
}
