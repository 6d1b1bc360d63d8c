#include "engine/settings_summary.h"

#include <cstdio>

namespace {

std::string Format(const char* format, int value) {
  char line[128];
  std::snprintf(line, sizeof line, format, value);
  return line;
}

const char* QualityLine(int quality) {
  switch (quality) {
    case 1:
      return "\n Engine MSX Quality: BEST";
    case 2:
      return "\n Engine MSX Quality: NORMAL";
    case 3:
      return "\n Engine MSX Quality: POOR";
    default:
      return "";
  }
}

}  // namespace

std::string SettingsSummary(const SetupConfig& c) {
  std::string s = "\n -------------------------------------------------- ";
  if (c.UseSimd) s += "\n Engine will use SIMD (CRASH on non IntelP3 !!)";
  if (c.UseMmx) s += "\n Engine will use MMX ";
  if (c.FullScreen) s += "\n Engine will run Fullscreen ";
  if (c.DoubleBuffered) s += "\n Engine display will be doublebuffered ";
  if (c.HwSurfaces) s += "\n Engine will use HW surfaces (if avail) ";
  if (c.DirectXBlit) s += "\n Engine will try DirectX surfs (win only)";
  s += Format("\n Engine MouseSleepDelay will be %i ms", c.MouseSleepDelay);
  s += Format("\n Engine Scroll/Fade time will be %i ms", c.ScrollFadeTime);
  s += QualityLine(c.MsxQuality);
  s += Format("\n Engine will start witch tune number %i ", c.StartingTune);
  s += Format("\n Engine will try to switch mode to %i BPP ", c.Bpp);
  if (c.SoftCursor) s += "\n Engine will draw own mouse cursor ";
  if (c.UseMsxPlayer) s += "\n Engine will USE msx player !";
  s += "\n -------------------------------------------------- \n";
  return s;
}

void PrintSettingsSummary(const SetupConfig& config) {
  std::fputs(SettingsSummary(config).c_str(), stdout);
  std::fflush(stdout);
}
