#include "platform/sdl_hints.h"

// The page scales its canvas itself; the desktop's SDL hints mean nothing here.
void SetRendererHints() {}

void SetSdlHints(const SetupConfig&, int) {}
