#include "base/setup_config.h"

namespace {

int32_t Clamp(int32_t value) { return value > 10000 ? 10000 : value < 100 ? 100 : value; }

}  // namespace

void SetupDefaults(SetupConfig& config) {
  config = SetupConfig{};
  config.MouseSleepDelay = 2000;
  config.ScrollFadeTime = 2000;
  config.PlayerIsBass = 1;
  config.UseMsxPlayer = 1;
  config.UseSimd = 1;
  config.UseMmx = 1;
  config.FullScreen = 1;
  config.DoubleBuffered = 1;
  config.MsxQuality = 1;
  config.HwSurfaces = 1;
  config.StartingTune = 0;
  config.SoftCursor = 0;
  config.DirectXBlit = 0;
  config.Bpp = 32;
}

void ClampDelays(SetupConfig& config) {
  config.MouseSleepDelay = Clamp(config.MouseSleepDelay);
  config.ScrollFadeTime = Clamp(config.ScrollFadeTime);
}
