#include "text/outline_raster.h"

#include <algorithm>
#include <cstring>

namespace {

struct SpanTarget {
  GlyphRaster& raster;
  const CoverageBytes& bytes;
};

// The spans lie inside the outline's box; the checks keep a box that leaves
// the raster from ever writing outside it.
void WriteSpans(int y, int count, const FT_Span* spans, void* user) {
  const auto& target = *static_cast<const SpanTarget*>(user);
  if (y < 0 || y >= RASTER_HEIGHT) return;
  uint8_t* row = target.raster.data() + static_cast<size_t>(y) * RASTER_WIDTH;
  for (int i = 0; i < count; ++i) {
    const FT_Span& span = spans[i];
    const int from = std::max(int{span.x}, 0);
    const int to = std::min(int{span.x} + int{span.len}, RASTER_WIDTH);
    if (from < to) std::memset(row + from, target.bytes[span.coverage], to - from);
  }
}

}  // namespace

FT_Error SetCharSizes(FT_Face face, int32_t sizeX, int32_t sizeY) {
  return FT_Set_Char_Size(face, FT_F26Dot6{sizeX} * 64, FT_F26Dot6{sizeY} * 64, 96, 96);
}

FT_Error LoadScaledGlyph(FT_Face face, FT_UInt index) {
  return FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP);
}

FT_Outline* SlotOutline(FT_Face face) {
  FT_GlyphSlot slot = face->glyph;
  return slot->format == FT_GLYPH_FORMAT_OUTLINE ? &slot->outline : nullptr;
}

void OutlineCopy::CopyFrom(const FT_Outline& source) {
  points_.assign(source.points, source.points + source.n_points);
  tags_.assign(source.tags, source.tags + source.n_points);
  contours_.assign(source.contours, source.contours + source.n_contours);
  outline_.n_points = source.n_points;
  outline_.n_contours = source.n_contours;
  outline_.points = points_.data();
  outline_.tags = tags_.data();
  outline_.contours = contours_.data();
  // FreeType does not own these arrays; every other flag tells how to render.
  outline_.flags = source.flags & ~FT_OUTLINE_OWNER;
}

void ShearForItalic(FT_Outline& outline, int32_t sizeY) {
  if (outline.n_points <= 0) return;
  FT_Vector* points = outline.points;
  FT_Pos ymin = points[0].y;
  for (int i = 1; i < outline.n_points; ++i) ymin = std::min(ymin, points[i].y);
  for (int i = 0; i < outline.n_points; ++i) {
    points[i].x +=
        static_cast<FT_Pos>(static_cast<double>(points[i].y - ymin) / 64 / sizeY * 8 * 64);
  }
}

FT_BBox OutlineBox(const FT_Outline& outline) {
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  return box;
}

CoverageBytes CoverageBytesFor(const std::array<uint8_t, 5>& palette) {
  CoverageBytes bytes{};
  for (unsigned coverage = 1; coverage < bytes.size(); ++coverage) {
    // No coverage lies halfway between two levels.
    const unsigned level = (coverage * 4 + 127) / 255;
    bytes[coverage] = level == 0 ? 0 : palette[level];
  }
  return bytes;
}

// Without a clip box FreeType renders only the outline's own rows; a box of
// the whole raster would make it sweep all 480 of them for every glyph.
FT_Error RenderOutline(FT_Library library, FT_Outline& outline, GlyphRaster& raster,
                       const CoverageBytes& bytes) {
  SpanTarget target{raster, bytes};
  FT_Raster_Params params{};
  params.flags = FT_RASTER_FLAG_AA | FT_RASTER_FLAG_DIRECT;
  params.gray_spans = WriteSpans;
  params.user = &target;
  return FT_Outline_Render(library, &outline, &params);
}
