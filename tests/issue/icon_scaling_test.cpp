#include "generators/icon_scaling.h"

#include <gtest/gtest.h>

namespace {

// Channels that move apart, so that a mixed-up channel shows.
uint32_t Colour(uint32_t g) { return g << 16 | (200 - g) << 8 | 5; }

TEST(IconScaling, UpscalesByNearestAndDownscalesByArea) {
  std::vector<uint32_t> icon;  // 4x4, level 10 per column and 40 per row
  for (uint32_t y = 0; y < 4; ++y) {
    for (uint32_t x = 0; x < 4; ++x) icon.push_back(Colour(10 * x + 40 * y));
  }
  struct Case {
    int to, x, y;
    uint32_t expected;
  };
  const Case cases[] = {
      {4, 3, 3, Colour(150)},
      {8, 5, 2, Colour(60)},            // each pixel twice as wide and high
      {6, 1, 0, Colour(10)},            // 1.5 times: columns 0 1 1 2 3 3
      {6, 4, 5, Colour(150)},
      {2, 1, 0, Colour(45)},            // the mean of 20 30 60 70
      {3, 1, 1, Colour(75)},            // a third of four pixels each: 50 60 90 100
      {3, 0, 0, 13u << 16 | 188u << 8 | 5},  // 9:3:3:1 of 0 10 40 50, rounded
  };
  for (const Case& c : cases) {
    std::vector<uint32_t> scaled = ScaleIcon(icon, 4, c.to);
    ASSERT_EQ(scaled.size(), size_t(c.to) * c.to);
    EXPECT_EQ(scaled[size_t(c.y) * c.to + c.x], c.expected) << c.to << " at " << c.x << "," << c.y;
  }
}

}  // namespace
