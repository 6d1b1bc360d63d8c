#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/fatal_catch.h"
#include "support/scratch_dir.h"
#include "widgets/panel.h"

namespace {

class ProgressBarTest : public ::testing::Test {
 protected:
  // A 200 x 3 bar whose column c has colour c + 1, at (100, 50).
  void SetUp() override {
    WriteFileBytes("data.rs", {});
    std::vector<uint32_t> pixels(200 * 3);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = i % 200 + 1;
    WritePng("bar.png", 200, 3, pixels);
    PanelSetProgressBar(panel, "DATA/bar.png", 100, 50);
    ResourceCloseAll();
    PictureAlloc(screen, 640, 480);
  }

  // The first bar column shown on the last row, once exactly 100 in a row are.
  uint32_t FirstColumnShown() {
    const uint32_t* row = screen.pixels + 52 * 640 + 100;
    for (int i = 0; i < 100; ++i) EXPECT_EQ(row[i], row[0] + i);
    EXPECT_EQ(row[-1] + row[100], 0u);
    return row[0] - 1;
  }

  ScratchDir dir;
  Panel panel{};
  Picture screen{};
};

}  // namespace

TEST_F(ProgressBarTest, WindowSlidesFromRightHalfToLeftHalf) {
  for (auto [p, first] :
       {std::pair{0.0f, 100u}, {1.0f, 0u}, {0.5f, 50u}, {NAN, 100u}, {-3.0f, 100u}, {7.0f, 0u}}) {
    ProgressBarDraw(panel, screen, p);
    EXPECT_EQ(FirstColumnShown(), first) << p;
  }
  PanelDrawChrome(panel, nullptr, screen, 1, 0.5f, 0.2f, 0.6f);
  EXPECT_EQ(FirstColumnShown(), 60u);  // 0.4, despite float rounding
  PanelDrawChrome(panel, nullptr, screen, 0, 0.5f, 0.2f, 0.6f);
  EXPECT_EQ(FirstColumnShown(), 100u);  // no article: at its top
}

// The whole picture must fit, though only half of it is drawn.
TEST_F(ProgressBarTest, BarOutsideTheScreenIsFatal) {
  for (auto [x, y] : {std::pair{540, 0}, {440, 0}, {-1, 0}, {0, 477}, {0, -1}, {439, 476}}) {
    panel.barX = x;
    panel.barY = y;
    const bool fits = x == 439;
    EXPECT_EQ(FatalMessageOf([this] { ProgressBarDraw(panel, screen, 0.5f); }),
              fits ? "" : "ProgressBar origin has bad values !")
        << x << "," << y;
  }
}
