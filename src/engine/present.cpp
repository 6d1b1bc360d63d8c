#include "engine/present.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "engine/engine.h"
#include "engine/fatal.h"
#include "engine/setup_config.h"
#include "engine/video.h"
#include "resources/draw.h"

PresentState Presentation;

namespace {

void CopyRow(const uint32_t* src, uint8_t* dst, int columns) {
  int32_t bytes = columns * 4;
  if (Setup.UseSimd || Setup.UseMmx) {
    FastCopy(src, dst, bytes);
  } else {
    std::memmove(dst, src, static_cast<size_t>(bytes));
  }
}

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

void StoreCursorPixel(uint8_t* row, int32_t x, uint32_t pixel, int32_t pixelMode) {
  if (pixelMode == PIXEL_ARGB8888) {
    reinterpret_cast<uint32_t*>(row)[x] = pixel;
  } else {
    reinterpret_cast<uint16_t*>(row)[x] =
        pixelMode == PIXEL_RGB555 ? ToRgb555(pixel) : ToRgb565(pixel);
  }
}

// With the screen locked: takes the newest motion out of the queue, so that
// the cursor follows the mouse even inside long animations, and draws it.
void DrawSoftCursor(SDL_Surface* surface) {
  if (Setup.SoftCursor != 1 || Presentation.CursorHidden != 0) return;
  SDL_PumpEvents();
  SDL_Event motion;
  if (SDL_PeepEvents(&motion, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) == 1) {
    Mouse.x = motion.motion.x;
    Mouse.y = motion.motion.y;
  }
  DrawCursorPicture(CursorImage, Mouse.x, Mouse.y, surface, Video.PixelMode);
}

void Flip() {
  if (Video.ShadowSurface != nullptr) {
    SDL_UpperBlit(Video.ShadowSurface, nullptr, Video.ScreenSurface, nullptr);
  }
  SDL_Flip(Video.ScreenSurface);
}

void PresentSurfaceBackBuffer() {
  if (Presentation.PresentedThisFrame) return;
  Presentation.PresentedThisFrame = 1;
  SDL_UnlockSurface(BackBufferSurface);
  Presentation.BackBufferLocked = 0;
  SDL_Surface* target = PresentSurface();
  if (BackBufferSurface != target) SDL_UpperBlit(BackBufferSurface, nullptr, target, nullptr);
  if (SDL_LockSurface(target) < 0) {
    SDL_UnlockSurface(target);
    return;
  }
  DrawSoftCursor(target);
  SDL_UnlockSurface(target);
  Flip();
}

}  // namespace

void ConvertFrame(const Picture& frame, SDL_Surface* surface, int32_t pixelMode) {
  int rows = std::min(surface->h, static_cast<int>(frame.height));
  int columns = std::min(surface->w, static_cast<int>(frame.width));
  // Rows that lie back to back on both sides go as one block.
  if (pixelMode == PIXEL_ARGB8888 && columns == frame.width && surface->pitch == columns * 4) {
    CopyRow(frame.pixels, static_cast<uint8_t*>(surface->pixels), columns * rows);
    return;
  }
  for (int y = 0; y < rows; ++y) {
    const uint32_t* src = frame.pixels + static_cast<size_t>(y) * frame.width;
    auto* dst = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
    if (pixelMode == PIXEL_ARGB8888) {
      CopyRow(src, dst, columns);
    } else if (pixelMode == PIXEL_RGB555) {
      ConvertRowSse2<ToRgb555>(src, reinterpret_cast<uint16_t*>(dst), columns, PACK_555);
    } else {
      ConvertRowSse2<ToRgb565>(src, reinterpret_cast<uint16_t*>(dst), columns, PACK_565);
    }
  }
}

void DrawCursorPicture(const Picture& cursor, int32_t x, int32_t y, SDL_Surface* surface,
                       int32_t pixelMode) {
  int32_t left = std::max(0, -x), top = std::max(0, -y);
  int32_t right = std::min(cursor.width, surface->w - x);
  int32_t bottom = std::min(cursor.height, surface->h - y);
  for (int32_t row = top; row < bottom; ++row) {
    const uint32_t* src = cursor.pixels + static_cast<size_t>(row) * cursor.width;
    auto* dst = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y + row) * surface->pitch;
    for (int32_t column = left; column < right; ++column) {
      if (src[column] != 0) StoreCursorPixel(dst, x + column, src[column], pixelMode);
    }
  }
}

bool LockBackBuffer() {
  if (BackBufferSurface == nullptr) return true;
  if (Presentation.BackBufferLocked) FatalError("Already locked !");
  if (SDL_LockSurface(BackBufferSurface) < 0) {
    SDL_UnlockSurface(BackBufferSurface);
    return false;
  }
  Presentation.BackBufferLocked = 1;
  BackBuffer.pixels = static_cast<uint32_t*>(BackBufferSurface->pixels);
  if (BackBufferSurface->pitch != SCREEN_WIDTH * 4) FatalError("Pitch fucked ?!");
  return true;
}

void Present() {
  if (BackBufferSurface != nullptr) {
    PresentSurfaceBackBuffer();
    return;
  }
  SDL_Surface* target = PresentSurface();
  if (SDL_LockSurface(target) < 0) {
    SDL_UnlockSurface(target);
    return;
  }
  ConvertFrame(BackBuffer, target, Video.PixelMode);
  DrawSoftCursor(target);
  SDL_UnlockSurface(target);
  Flip();
}

void HideEngineCursor() {
  if (Presentation.CursorHidden != 0) return;
  Presentation.CursorHidden = 1;
  if (!Setup.SoftCursor) SDL_ShowCursor(0);
}

void ShowEngineCursor() {
  if (Presentation.CursorHidden != 1) return;
  Presentation.CursorHidden = 0;
  if (!Setup.SoftCursor) SDL_ShowCursor(1);
}
