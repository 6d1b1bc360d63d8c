// The settings record and the setup file "DATA/configs/setup.cfg".
//
// The file holds the first thirteen fields below, in this order, as
// little-endian signed 32-bit integers: 52 bytes, no header. It is read as a
// 48-byte block and a 4-byte block (Bpp) and written the same way.
// PlayerIsBass is never stored.
#pragma once

#include <cstdint>

struct SetupConfig {
  int32_t UseSimd;          // 0/1: SSE2 streaming block copy
  int32_t UseMmx;           // 0/1: 8-byte block copy
  int32_t FullScreen;       // 0/1
  int32_t MouseSleepDelay;  // ms before the idle cursor hides; 100..10000 after setup
  int32_t ScrollFadeTime;   // ms a transition lasts; 100..10000 after setup
  int32_t DoubleBuffered;   // 0/1
  int32_t SoftCursor;       // 0/1: the engine draws its own cursor
  int32_t MsxQuality;       // 1 best, 2 normal, 3 poor
  int32_t UseMsxPlayer;     // 0/1: music on
  int32_t StartingTune;     // number of the first tune; any value
  int32_t HwSurfaces;       // 0/1
  int32_t DirectXBlit;      // 0/1: draw straight into a video surface
  int32_t Bpp;              // 15, 16 or 32
  int32_t PlayerIsBass;     // 1 BASS, 0 FMOD; chosen in the dialog only
};

constexpr const char* SETUP_FILE_PATH = "DATA/configs/setup.cfg";
constexpr const char* SETUP_FILE_BROKEN = "\n SetupFile fucked !";

// The settings of this run, owned by the engine core.
extern SetupConfig Setup;

void SetupDefaults(SetupConfig& config);

// Reads the setup file over config; a missing file keeps config as it is. A
// value out of its range is fatal ("\n SetupFile fucked !").
void ReadSetupFile(SetupConfig& config);

// Writes the thirteen stored values, whole (resources/whole_file.h); a file
// that cannot be written keeps its old contents and is reported on stdout.
void WriteSetupFile(const SetupConfig& config);

// Both delays into 100..10000.
void ClampDelays(SetupConfig& config);

// A setup dialog that ends other than through OK ends the process with this
// status (the parent sees 666 & 0xFF, 154).
constexpr int SETUP_CANCELLED_STATUS = 666;

// The setup step of start-up: reads the setup file, shows the setup dialog
// when show is true (otherwise it is as if OK were pressed at once), clamps
// the delays, writes the file when Save was pressed, and ends the process
// with SETUP_CANCELLED_STATUS when the dialog was not accepted (with 0 when a
// shutdown signal ended it).
void RunSetupDialog(SetupConfig& config, bool show);
