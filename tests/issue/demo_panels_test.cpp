// The demo issue's panels as the reader loads them from the packed archive:
// each must build and draw, with the mouse on each of its buttons, and keep
// its title box and buttons off the rows where the article is shown.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/setup_config.h"
#include "engine/panel_list.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"

namespace {

bool ClearOfArticle(const Panel& panel, int32_t y, int32_t height) {
  const int32_t top = PanelTopHeight(panel);
  return y + height <= top || y >= top + panel.middle.height;
}

}  // namespace

TEST(DemoIssue, EveryPanelBuildsAndDrawsUnderEveryButton) {
  ScratchDir dir;
  std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
  SetupDefaults(::Setup);
  Picture screen{};
  PictureAlloc(screen, 640, 480);
  std::string message = FatalMessageOf([&] {
    ParsePanels();
    ASSERT_GE(PanelCount, 3);
    for (int i = 0; i < PanelCount; ++i) {
      Panel& panel = *PanelList[i];
      EXPECT_TRUE(panel.hasMask && panel.hasProgressBar && panel.hasTitleBox) << i;
      EXPECT_FALSE(panel.aniChains.empty()) << i;
      EXPECT_TRUE(ClearOfArticle(panel, panel.titleY, panel.titleBox.height)) << i;
      for (const PanelButton& button : panel.buttons) {
        PanelSetMouse(panel, button.x + 2, button.y + 2);
        EXPECT_EQ(PanelHitTest(panel), button.command);
        const Picture& face = button.animated ? button.frames[0] : button.image;
        EXPECT_TRUE(ClearOfArticle(panel, button.y, face.height)) << i;
        PanelDrawChrome(panel, nullptr, screen, 1, 0.5f, 0.0f, 1.0f);
      }
    }
  });
  EXPECT_EQ(message, "");
  PanelListDestroy();
  ResourceCloseAll();
}
