// The setup file "DATA/configs/setup.cfg".
//
// The file holds the first thirteen fields of SetupConfig, in their order, as
// little-endian signed 32-bit integers: 52 bytes, no header. It is read as a
// 48-byte block and a 4-byte block (Bpp) and written the same way.
// PlayerIsBass is never stored.
#pragma once

#include "base/setup_config.h"

constexpr const char* SETUP_FILE_PATH = "DATA/configs/setup.cfg";
constexpr const char* SETUP_FILE_BROKEN = "\n SetupFile fucked !";

// Reads the setup file over config; a missing file keeps config as it is. A
// value out of its range is fatal ("\n SetupFile fucked !").
void ReadSetupFile(SetupConfig& config);

// Writes the thirteen stored values, whole (resources/whole_file.h); a file
// that cannot be written keeps its old contents and is reported on stdout.
void WriteSetupFile(const SetupConfig& config);
