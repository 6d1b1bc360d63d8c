#include "widgets/covers.h"

// No cover pictures yet: the opening is over before it starts and the first
// quit request leaves the panels on screen until the second ends the reader.

void OpeningCoverFrame(Picture&) {}
int32_t OpeningCoverDone() { return 1; }
void OpeningCoverFree() {}

void StartClosing() {}
int32_t ClosingDone() { return 1; }
void ClosingFrame(Picture&) {}
void ClosingFree() {}
