#include <algorithm>
#include <cmath>

#include "articles/article_layout.h"

namespace {

int32_t WholePixels(float value) {
  if (!(value > -2.0e9f && value < 2.0e9f)) return 0;
  return static_cast<int32_t>(std::trunc(value));
}

// The free space up to the first segment's limit, shared among the segments
// in proportion to their widths; a segment without spaces in mode 1 passes
// its share on to the next one.
void JustifyGroup(ArticleLine& line, size_t begin) {
  std::vector<TextSegment>& segments = line.segments;
  int64_t left = segments[begin].x, right = left;
  for (size_t i = begin; i < segments.size(); ++i) {
    left = std::min<int64_t>(left, segments[i].x);
    right = std::max<int64_t>(right, int64_t{segments[i].x} + segments[i].width);
  }
  const int64_t span = right - left;
  const TextSegment& first = segments[begin];
  const double free = double(first.limit) - double(span + first.x);
  if (span <= 0 || free <= 1.0) return;
  line.width = first.limit;
  int64_t pen = first.x;
  float carry = 0.0f;
  for (size_t i = begin; i < segments.size(); ++i) {
    TextSegment& segment = segments[i];
    const int64_t spaces = std::count(segment.text.begin(), segment.text.end(), ' ');
    if (segment.mode != 1 && segment.mode != 2) continue;
    segment.x = ClampedSum(pen, 0);
    if (segment.mode == 1 && spaces == 0) {
      segment.wordSpacing = 0.0f;
      pen += segment.width;
      carry += float(segment.width) / float(span);
      continue;
    }
    const float share = (carry + float(segment.width) / float(span)) * float(free);
    segment.width = ClampedSum(segment.width, WholePixels(share));
    if (segment.mode == 2) {
      const int64_t length = static_cast<int64_t>(segment.text.size());
      segment.charSpacing = share / float(length >= 3 ? length - 1 : 1);
    } else {
      segment.wordSpacing = share / float(spaces);
    }
    pen += segment.width;
    carry = 0.0f;
  }
}

}  // namespace

void ArticleJustify(Article& article) {
  for (ArticleLine& line : article.lines) {
    if (!line.justified) continue;
    size_t begin = line.segments.size();
    while (begin > 0 && line.segments[begin - 1].mode != 0) --begin;
    if (begin < line.segments.size()) JustifyGroup(line, begin);
  }
}

void ArticleFinish(Article& article) {
  for (const PicturePlacement& placement : article.placements) {
    int32_t bottom = ClampedSum(placement.y, placement.picture->image.height);
    if (placement.isLink && placement.hasHover) {
      bottom = std::max(bottom, ClampedSum(placement.y, placement.hoverPicture->image.height));
    }
    article.totalHeight = std::max(article.totalHeight, bottom);
  }
  article.totalHeight = ClampedSum(article.totalHeight, 20);
  article.lines.push_front(
      ArticleLine{0, SENTINEL_SOURCE_LINE, 0, article.totalHeight, 1, 1, 0, 0, {}});
  for (ArticleLine& line : article.lines) {
    if (line.segments.empty()) continue;
    TextSegment& last = line.segments.back();
    last.text.erase(last.text.find_last_not_of(" \t") + 1);
    const TextSize size = LayoutMeasure(article.fonts, last.text, last.font);
    last.width = size.width;
    last.height = size.height;
  }
  ArticleJustify(article);
}
