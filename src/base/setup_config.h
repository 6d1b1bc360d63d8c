// The settings record: every option of a run, chosen in the setup dialog and
// kept in the setup file.
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

void SetupDefaults(SetupConfig& config);

// Both delays into 100..10000.
void ClampDelays(SetupConfig& config);
