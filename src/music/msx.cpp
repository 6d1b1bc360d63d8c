#include "music/msx.h"

// No player is built in yet: every request is accepted and nothing sounds.

void MsxInit() {}
void MsxPlay(const char*) {}
void MsxNext() {}
void MsxPrev() {}
void MsxPlayIndex(int32_t) {}
void MsxPauseToggle() {}
void MsxPoll() {}
void MsxShutdown() {}
