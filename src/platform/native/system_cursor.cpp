#include "platform/system_cursor.h"

#include <cstdint>

void CursorFree::operator()(SDL_Cursor* cursor) const { SDL_FreeCursor(cursor); }

void SystemCursorStart(SystemCursor& cursor) {
  cursor.standard = SDL_GetCursor();
  uint8_t bits[8] = {};  // 8x8, neither drawn nor masked: transparent
  cursor.blank.reset(SDL_CreateCursor(bits, bits, 8, 8, 0, 0));
}

void SystemCursorShow(SystemCursor& cursor, bool shown) {
  // Without a blank cursor hiding falls back to SDL's, pointer motion and all.
  if (cursor.blank == nullptr || cursor.standard == nullptr) {
    SDL_ShowCursor(shown ? 1 : 0);
    return;
  }
  SDL_ShowCursor(1);
  SDL_SetCursor(shown ? cursor.standard : cursor.blank.get());
}

void SystemCursorStop(SystemCursor& cursor) {
  if (cursor.standard != nullptr && SDL_GetCursor() == cursor.blank.get()) {
    SDL_SetCursor(cursor.standard);
  }
  cursor.blank.reset();
}
