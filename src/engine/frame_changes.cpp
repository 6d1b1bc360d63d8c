#include "engine/frame_changes.h"

#include <algorithm>
#include <cstring>

namespace {

struct Span {
  int left, right;  // changed columns, right exclusive
};

// The changed columns of one row that is known to differ.
Span ChangedSpan(const uint32_t* row, const uint32_t* old, int width) {
  int left = 0, right = width;
  while (row[left] == old[left]) ++left;
  while (row[right - 1] == old[right - 1]) --right;
  return {left, right};
}

SDL_Rect MakeRect(int x, int y, int w, int h) {
  return SDL_Rect{static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                  static_cast<Uint16>(h)};
}

}  // namespace

SDL_Rect RectUnion(const SDL_Rect& a, const SDL_Rect& b) {
  if (a.w == 0 || a.h == 0) return b;
  if (b.w == 0 || b.h == 0) return a;
  int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
  int right = std::max(a.x + a.w, b.x + b.w), bottom = std::max(a.y + a.h, b.y + b.h);
  return MakeRect(left, top, right - left, bottom - top);
}

std::vector<SDL_Rect> FindChangedRects(const Picture& frame, std::vector<uint32_t>& last) {
  const int width = frame.width, height = frame.height;
  const size_t count = size_t(width) * height;
  if (last.size() != count) {
    last.assign(frame.pixels, frame.pixels + count);
    return {MakeRect(0, 0, width, height)};
  }
  std::vector<SDL_Rect> rects;
  SDL_Rect run{};
  int runEnd = -CHANGE_MERGE_ROWS;  // the row after the run's last changed row
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = frame.pixels + size_t(y) * width;
    uint32_t* old = last.data() + size_t(y) * width;
    if (std::memcmp(row, old, size_t(width) * 4) == 0) continue;
    Span span = ChangedSpan(row, old, width);
    std::memcpy(old + span.left, row + span.left, size_t(span.right - span.left) * 4);
    if (y - runEnd >= CHANGE_MERGE_ROWS && run.h != 0) {
      rects.push_back(run);
      run = SDL_Rect{};
    }
    run = RectUnion(run, MakeRect(span.left, y, span.right - span.left, 1));
    runEnd = y + 1;
  }
  if (run.h != 0) rects.push_back(run);
  return rects;
}
