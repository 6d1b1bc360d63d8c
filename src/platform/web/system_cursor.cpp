#include "platform/system_cursor.h"

// The browser's SDL makes no cursors; hiding the page's pointer over the
// canvas takes nothing from the positions the page reports.
void CursorFree::operator()(SDL_Cursor*) const {}

void SystemCursorStart(SystemCursor&) {}

void SystemCursorShow(SystemCursor&, bool shown) { SDL_ShowCursor(shown ? 1 : 0); }

void SystemCursorStop(SystemCursor&) { SDL_ShowCursor(1); }
