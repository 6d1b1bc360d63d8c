#include "engine/settings_summary.h"

#include <gtest/gtest.h>

#include "engine/reader.h"
#include "setup/setup_dialog.h"
#include "resources/archive.h"
#include "support/scratch_dir.h"

TEST(SettingsSummary, WindowOrFullScreenOptionOverridesTheSavedSetting) {
  for (const int32_t saved : {0, 1}) {
    EXPECT_EQ(ScreenSetting(ScreenChoice::Saved, saved), saved);
    EXPECT_EQ(ScreenSetting(ScreenChoice::Window, saved), 0);
    EXPECT_EQ(ScreenSetting(ScreenChoice::FullScreen, saved), 1);
  }
}

TEST(SettingsSummary, SetupFileChangingEveryValue) {
  ScratchDir dir;
  WriteFileBytes("data.rs", {});
  WriteFileBytes("setup.cfg", LittleEndianWords({0, 0, 0, 150, 9000, 0, 1, 2, 0, -3, 0, 1, 15}));
  SetupConfig config;
  SetupDefaults(config);
  RunSetupDialog(config, false);
  ResourceCloseAll();
  EXPECT_EQ(SettingsSummary(config),
            "\n -------------------------------------------------- "
            "\n Engine will try DirectX surfs (win only)"
            "\n Engine MouseSleepDelay will be 150 ms"
            "\n Engine Scroll/Fade time will be 9000 ms"
            "\n Engine MSX Quality: NORMAL"
            "\n Engine will start witch tune number -3 "
            "\n Engine will try to switch mode to 15 BPP "
            "\n Engine will draw own mouse cursor "
            "\n -------------------------------------------------- \n");
  config.MsxQuality = 3;
  EXPECT_NE(SettingsSummary(config).find("\n Engine MSX Quality: POOR\n"), std::string::npos);
}
