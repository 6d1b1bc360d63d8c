#include "pictures/draw.h"

namespace {

// One Bresenham walk along its major axis (the one moved every step). 64-bit
// throughout: the differences of 32-bit ends need 33 bits.
struct Walk {
  int64_t major;
  int64_t minor;
  int64_t majorStep;
  int64_t minorStep;
  int64_t majorDelta;  // >= minorDelta
  int64_t minorDelta;
  int64_t error;  // in 0 .. majorDelta - 1 (0 for a single point)
  int64_t steps;  // pixels still to plot
};

void Step(Walk& w) {
  w.error -= w.minorDelta;
  if (w.error < 0) {
    w.error += w.majorDelta;
    w.minor += w.minorStep;
  }
  w.major += w.majorStep;
  --w.steps;
}

// Jumps k steps at once, landing exactly where k calls of Step would: the
// error stays in 0 .. majorDelta - 1, so the number of minor moves is the
// smallest s with error - k * minorDelta + s * majorDelta >= 0.
void Skip(Walk& w, int64_t k) {
  const auto owed = static_cast<uint64_t>(k) * static_cast<uint64_t>(w.minorDelta);
  const auto error = static_cast<uint64_t>(w.error);
  uint64_t moves = 0;
  if (owed > error) {
    const uint64_t deficit = owed - error;
    const auto delta = static_cast<uint64_t>(w.majorDelta);
    moves = deficit / delta + (deficit % delta != 0);
    w.error = static_cast<int64_t>(moves * delta - deficit);
  } else {
    w.error = static_cast<int64_t>(error - owed);
  }
  w.minor += static_cast<int64_t>(moves) * w.minorStep;
  w.major += k * w.majorStep;
  w.steps -= k;
}

// Steps before the major coordinate enters 0 .. size - 1.
int64_t StepsToEnter(const Walk& w, int64_t size) {
  return w.majorStep > 0 ? -w.major : w.major - (size - 1);
}

bool BeforeFarEdge(const Walk& w, int64_t size) {
  return w.majorStep > 0 ? w.major < size : w.major >= 0;
}

// Plots only inside; steps before the picture are skipped and the walk ends
// once it has left it, so a far-off end costs nothing.
template <typename Plot>
void Run(Walk w, int64_t majorSize, Plot plot) {
  const int64_t before = StepsToEnter(w, majorSize);
  if (before >= w.steps) return;
  if (before > 0) Skip(w, before);
  for (; w.steps > 0 && BeforeFarEdge(w, majorSize); Step(w)) plot(w.major, w.minor);
}

}  // namespace

void DrawLine(int32_t x0, int32_t x1, int32_t y0, int32_t y1, uint32_t colour,
              Picture& destination) {
  if (destination.pixels == nullptr || destination.width < 1 || destination.height < 1) return;
  int64_t dx = int64_t{x1} - x0;
  int64_t dy = int64_t{y1} - y0;
  int64_t x = x0;
  int64_t y = y0;
  if (dx < 0) {
    x = x1;
    y = y1;
    dx = -dx;
    dy = -dy;
  }
  int64_t step = 1;
  if (dy < 0) {
    step = -1;
    dy = -dy;
  }
  const int64_t width = destination.width;
  const int64_t height = destination.height;
  auto put = [&](int64_t px, int64_t py) {
    if (px >= 0 && px < width && py >= 0 && py < height) {
      destination.pixels[py * width + px] = colour;
    }
  };
  if (dx > dy) {
    Run({x, y, 1, step, dx, dy, dx >> 1, dx + 1}, width,
        [&](int64_t major, int64_t minor) { put(major, minor); });
  } else {
    Run({y, x, step, 1, dy, dx, dy >> 1, dy + 1}, height,
        [&](int64_t major, int64_t minor) { put(minor, major); });
  }
}
