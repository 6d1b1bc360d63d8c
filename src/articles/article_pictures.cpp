#include <algorithm>
#include <cmath>

#include "articles/article_view.h"
#include "base/clock.h"
#include "base/fatal.h"

namespace {

constexpr int32_t MAX_SCROLLING_WIDTH = 99999;

// Pixels of this step: the distance due by now less what was already moved,
// kept inside int32_t for absurd speeds.
int32_t StepDue(float seconds, int32_t speed, float& done) {
  const double due = std::trunc(std::fabs(seconds * static_cast<float>(speed)) - std::trunc(done));
  const auto step = static_cast<int32_t>(std::clamp<double>(due, INT32_MIN, INT32_MAX));
  done += static_cast<float>(step);
  return step;
}

// Positive shift moves every row right, wrapping at the edges.
void RotateRows(Picture& image, int32_t shift) {
  const int32_t width = image.width;
  const int32_t split = (width - shift % width) % width;
  if (split == 0) return;
  for (int32_t row = 0; row < image.height; ++row) {
    uint32_t* first = image.pixels + static_cast<size_t>(row) * static_cast<size_t>(width);
    std::rotate(first, first + split, first + width);
  }
}

// Positive shift moves the rows up, the top ones re-entering at the bottom.
void RotateColumns(Picture& image, int32_t shift) {
  const int32_t height = image.height;
  const int32_t rows = (shift % height + height) % height;
  if (rows == 0) return;
  const size_t width = static_cast<size_t>(image.width);
  uint32_t* first = image.pixels;
  std::rotate(first, first + static_cast<size_t>(rows) * width,
              first + static_cast<size_t>(height) * width);
}

void Animate(PictureEntry& entry, float seconds) {
  Picture& image = entry.image;
  if (image.width > MAX_SCROLLING_WIDTH) FatalError("Internal buffer overload!");
  if (image.pixels == nullptr || image.width < 1 || image.height < 1) return;
  const int32_t across = StepDue(seconds, entry.speedX, entry.doneX);
  if (across >= 1) RotateRows(image, entry.speedX > 0 ? across : -across);
  const int32_t down = StepDue(seconds, entry.speedY, entry.doneY);
  if (down >= 1) RotateColumns(image, entry.speedY > 0 ? down : -down);
}

}  // namespace

void ArticleAnimatePictures(Article& article) {
  if (article.pictures.empty()) return;
  const uint32_t now = EngineTicks();
  if (article.pictureClock == 0) article.pictureClock = now;
  const float seconds = static_cast<float>(now - article.pictureClock) * 0.001f;
  for (PictureEntry& entry : article.pictures) {
    if (entry.scrolling == 1) Animate(entry, seconds);
  }
}
