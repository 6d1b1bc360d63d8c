#include "pictures/screen_pixels.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "pictures/draw.h"

namespace {

// The block copy the engine chose from the settings: a plain one when they
// ask for neither SIMD nor MMX.
void CopyRow(const uint32_t* src, uint8_t* dst, int columns) { FastCopy(src, dst, columns * 4); }

// Two pixels per 32-bit store, the first in the low half; a single 16-bit
// store for an unaligned first pixel and for an odd last one.
template <uint16_t (*Convert)(uint32_t)>
void ConvertRowPlain(const uint32_t* src, uint16_t* dst, int columns) {
  int x = 0;
  if (columns > 0 && (reinterpret_cast<uintptr_t>(dst) & 3) != 0) {
    dst[0] = Convert(src[0]);
    x = 1;
  }
  for (; x + 1 < columns; x += 2) {
    uint32_t pair = Convert(src[x]) | uint32_t{Convert(src[x + 1])} << 16;
    std::memcpy(dst + x, &pair, 4);
  }
  if (x < columns) dst[x] = Convert(src[x]);
}

// The channel shifts and masks of one 16-bit format, for SSE2.
struct Packing {
  int redShift, greenShift;
  uint32_t redMask, greenMask;
};
constexpr Packing PACK_565 = {8, 5, 0xF800, 0x07E0};
constexpr Packing PACK_555 = {9, 6, 0x7C00, 0x03E0};

__m128i PackFour(__m128i p, const Packing& k) {
  __m128i r = _mm_and_si128(_mm_srl_epi32(p, _mm_cvtsi32_si128(k.redShift)),
                            _mm_set1_epi32(static_cast<int>(k.redMask)));
  __m128i g = _mm_and_si128(_mm_srl_epi32(p, _mm_cvtsi32_si128(k.greenShift)),
                            _mm_set1_epi32(static_cast<int>(k.greenMask)));
  __m128i b = _mm_and_si128(_mm_srli_epi32(p, 3), _mm_set1_epi32(0x1F));
  __m128i v = _mm_or_si128(_mm_or_si128(r, g), b);
  // Sign-extend the low halves so that the saturating pack keeps them exact.
  return _mm_srai_epi32(_mm_slli_epi32(v, 16), 16);
}

// Eight pixels per step, the plain loop for the rest; equal results.
template <uint16_t (*Convert)(uint32_t)>
void ConvertRowSse2(const uint32_t* src, uint16_t* dst, int columns, const Packing& k) {
  int x = 0;
  for (; x + 8 <= columns; x += 8) {
    __m128i low = PackFour(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x)), k);
    __m128i high = PackFour(_mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x + 4)), k);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), _mm_packs_epi32(low, high));
  }
  ConvertRowPlain<Convert>(src + x, dst + x, columns - x);
}

uint32_t SwapRedBlue(uint32_t pixel) {
  return (pixel & 0xFF00FF00u) | (pixel >> 16 & 0xFFu) | (pixel & 0xFFu) << 16;
}

void SwapRowRedBlue(const uint32_t* src, uint8_t* dst, int columns) {
  auto* out = reinterpret_cast<uint32_t*>(dst);
  for (int x = 0; x < columns; ++x) out[x] = SwapRedBlue(src[x]);
}

void StoreCursorPixel(uint8_t* row, int32_t x, uint32_t pixel, int32_t pixelMode) {
  if (pixelMode == PIXEL_ARGB8888) {
    reinterpret_cast<uint32_t*>(row)[x] = pixel;
  } else if (pixelMode == PIXEL_ABGR8888) {
    reinterpret_cast<uint32_t*>(row)[x] = SwapRedBlue(pixel);
  } else {
    reinterpret_cast<uint16_t*>(row)[x] =
        pixelMode == PIXEL_RGB555 ? ToRgb555(pixel) : ToRgb565(pixel);
  }
}

}  // namespace

PixelFormatCheck CheckPixelFormat(int bitsPerPixel, uint32_t r, uint32_t g, uint32_t b) {
  bool is565 = r == 0xF800 && g == 0x07E0 && b == 0x001F;
  bool is555 = r == 0x7C00 && g == 0x03E0 && b == 0x001F;
  switch (bitsPerPixel) {
    case 32:
      if (r == 0xFF0000 && g == 0x00FF00 && b == 0x0000FF) return {PIXEL_ARGB8888, nullptr};
      if (r == 0x0000FF && g == 0x00FF00 && b == 0xFF0000) return {PIXEL_ABGR8888, nullptr};
      return {PIXEL_ARGB8888, "32Bit set, but not ARGB format !"};
    case 16:
      if (is565) return {PIXEL_RGB565, nullptr};
      if (is555) return {PIXEL_RGB555, nullptr};
      return {PIXEL_ARGB8888, "16Bit set, but not RGB 555, or RGB 565 format !"};
    case 15:
      if (is565) return {PIXEL_RGB565, nullptr};
      if (is555) return {PIXEL_RGB555, nullptr};
      return {PIXEL_ARGB8888, "15Bit set, but not RGB 555, or RGB 565 format !"};
    default:
      return {PIXEL_ARGB8888, "Unsupported video format !"};
  }
}

void ConvertRow(const uint32_t* src, uint8_t* dst, int columns, int32_t pixelMode) {
  if (pixelMode == PIXEL_ARGB8888) {
    CopyRow(src, dst, columns);
  } else if (pixelMode == PIXEL_ABGR8888) {
    SwapRowRedBlue(src, dst, columns);
  } else if (pixelMode == PIXEL_RGB555) {
    ConvertRowSse2<ToRgb555>(src, reinterpret_cast<uint16_t*>(dst), columns, PACK_555);
  } else {
    ConvertRowSse2<ToRgb565>(src, reinterpret_cast<uint16_t*>(dst), columns, PACK_565);
  }
}

void ConvertFrame(const Picture& frame, SDL_Surface* surface, int32_t pixelMode) {
  int rows = std::min(surface->h, static_cast<int>(frame.height));
  int columns = std::min(surface->w, static_cast<int>(frame.width));
  // Rows that lie back to back on both sides go as one block.
  if (pixelMode == PIXEL_ARGB8888 && columns == frame.width && surface->pitch == columns * 4) {
    CopyRow(frame.pixels, static_cast<uint8_t*>(surface->pixels), columns * rows);
    return;
  }
  ConvertArea(frame, surface,
              SDL_Rect{0, 0, static_cast<Uint16>(columns), static_cast<Uint16>(rows)}, pixelMode);
}

void ConvertArea(const Picture& frame, SDL_Surface* surface, const SDL_Rect& area,
                 int32_t pixelMode) {
  const size_t bytesPerPixel = pixelMode == PIXEL_ARGB8888 || pixelMode == PIXEL_ABGR8888 ? 4 : 2;
  for (int y = area.y; y < area.y + area.h; ++y) {
    const uint32_t* src = frame.pixels + static_cast<size_t>(y) * frame.width + area.x;
    auto* dst = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch +
                area.x * bytesPerPixel;
    ConvertRow(src, dst, area.w, pixelMode);
  }
}

void DrawCursorPicture(const Picture& cursor, int32_t x, int32_t y, SDL_Surface* surface,
                       int32_t pixelMode) {
  int32_t left = std::max(0, -x), top = std::max(0, -y);
  int32_t right = std::min(cursor.width, surface->w - x);
  int32_t bottom = std::min(cursor.height, surface->h - y);
  for (int32_t row = top; row < bottom; ++row) {
    const uint32_t* src = cursor.pixels + static_cast<size_t>(row) * cursor.width;
    auto* dst =
        static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y + row) * surface->pitch;
    for (int32_t column = left; column < right; ++column) {
      if (src[column] != 0) StoreCursorPixel(dst, x + column, src[column], pixelMode);
    }
  }
}
