// Music control: the module list and the player behind it. The reader asks
// for tunes by name, by number and by stepping; MsxPoll runs once a frame
// after the panel engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/setup_config.h"

// Reads the module list and starts the player the settings choose; nothing
// when they turn the music off.
void MsxInit(const SetupConfig& setup);
// The module list's entries as MsxInit reads them, into names; the list's
// fatal message when it cannot be read (null when it reads whole).
const char* MsxReadList(std::vector<std::string>& names);
void MsxPlay(const char* name);  // a module path, "+SILENCE" or "+PLIST"
void MsxNext();
void MsxPrev();
void MsxPlayIndex(int32_t n);
void MsxPauseToggle();
void MsxPoll();
void MsxShutdown();
