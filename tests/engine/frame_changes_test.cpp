#include "engine/frame_changes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Rect {
  int x, y, w, h;
  bool operator==(const Rect&) const = default;
};

std::vector<Rect> Changes(const Picture& frame, std::vector<uint32_t>& last) {
  std::vector<Rect> rects;
  for (const SDL_Rect& r : FindChangedRects(frame, last)) rects.push_back({r.x, r.y, r.w, r.h});
  return rects;
}

}  // namespace

// The first frame is new as a whole; then only changed columns of changed
// rows count, rows close together joining one rectangle.
TEST(FrameChanges, RectanglesCoverTheChangedPixels) {
  Picture frame{};
  PictureAlloc(frame, 8, 40);
  std::vector<uint32_t> last;
  EXPECT_EQ(Changes(frame, last), (std::vector<Rect>{{0, 0, 8, 40}}));
  EXPECT_TRUE(Changes(frame, last).empty());
  frame.pixels[0] = 1;
  EXPECT_EQ(Changes(frame, last), (std::vector<Rect>{{0, 0, 1, 1}}));
  frame.pixels[8 * 2 + 3] = 1;
  frame.pixels[8 * 5 + 6] = 1;
  frame.pixels[8 * 39 + 7] = 1;
  EXPECT_EQ(Changes(frame, last), (std::vector<Rect>{{3, 2, 4, 4}, {7, 39, 1, 1}}));
  PictureFree(frame);
}
