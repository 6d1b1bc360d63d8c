// The opening cover shown before the first panel, and the closing sequence
// (closing cover and end scroller) started by the first quit request.
#pragma once

#include <cstdint>

#include "resources/picture.h"

void OpeningCoverFrame(Picture& screen);
int32_t OpeningCoverDone();
void OpeningCoverFree();

void StartClosing();
int32_t ClosingDone();
void ClosingFrame(Picture& screen);
void ClosingFree();
