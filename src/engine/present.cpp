#include "engine/present.h"

#include <algorithm>
#include <cstring>

#include "base/fatal.h"
#include "engine/frame_changes.h"
#include "engine/reader_state.h"
#include "pictures/draw.h"
#include "pictures/screen_pixels.h"

namespace {

bool SoftCursorShown(const Reader& reader) {
  return reader.Setup.SoftCursor == 1 && reader.Presentation.CursorHidden == 0;
}

// Takes the newest motion out of the queue, so that the cursor follows the
// mouse even inside long animations.
void TakeCursorMotion(Reader& reader) {
  if (!SoftCursorShown(reader)) return;
  SDL_PumpEvents();
  SDL_Event motion;
  if (SDL_PeepEvents(&motion, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) == 1) {
    reader.Mouse.x = motion.motion.x;
    reader.Mouse.y = motion.motion.y;
  }
}

void AddCursorArea(std::vector<SDL_Rect>& areas, const Picture& cursor, int32_t x, int32_t y) {
  int left = std::max(0, x), top = std::max(0, y);
  int right = std::min(SCREEN_WIDTH, x + cursor.width);
  int bottom = std::min(SCREEN_HEIGHT, y + cursor.height);
  if (right <= left || bottom <= top) return;
  areas.push_back(SDL_Rect{static_cast<Sint16>(left), static_cast<Sint16>(top),
                           static_cast<Uint16>(right - left), static_cast<Uint16>(bottom - top)});
}

int32_t BandRows(const PresentState& state) {
  return static_cast<int32_t>(state.Band.size() / SCREEN_WIDTH);
}

SDL_Rect FootRows(int32_t rows) {
  return SDL_Rect{0, static_cast<Sint16>(SCREEN_HEIGHT - rows), static_cast<Uint16>(SCREEN_WIDTH),
                  static_cast<Uint16>(rows)};
}

// The band's rows when it came, changed or went, or when anything else is
// redone (which may have drawn over it).
void AddBandArea(PresentState& state, std::vector<SDL_Rect>& areas, bool drawnOver) {
  const int32_t rows = BandRows(state);
  const bool redo = rows > 0 && (!areas.empty() || drawnOver);
  if (state.BandChanged || redo) {
    const int32_t covered = std::max(rows, state.BandShownRows);
    if (covered > 0) areas.push_back(FootRows(covered));
  }
  state.BandChanged = 0;
  state.BandShownRows = rows;
}

// The areas of the screen to redo: what changed in the frame, the band, and
// the soft cursor's old and new places when it moved, came or went. A back buffer
// that is the screen itself has lost the cursor to the frame's drawing, so
// there the cursor is redone every time.
std::vector<SDL_Rect> AreasToShow(Reader& reader, bool cursorDrawnOver) {
  PresentState& state = reader.Presentation;
  const MouseState& mouse = reader.Mouse;
  TakeCursorMotion(reader);
  if (state.WholePending) state.LastFrame.clear();
  state.WholePending = 0;
  std::vector<SDL_Rect> areas = FindChangedRects(reader.BackBuffer, state.LastFrame);
  const bool shown = SoftCursorShown(reader);
  const bool moved =
      shown != (state.CursorShown != 0) || mouse.x != state.CursorX || mouse.y != state.CursorY;
  const Picture& cursor = reader.CursorImage;
  if (moved && state.CursorShown) AddCursorArea(areas, cursor, state.CursorX, state.CursorY);
  if (shown && (moved || cursorDrawnOver)) AddCursorArea(areas, cursor, mouse.x, mouse.y);
  state.CursorShown = shown;
  state.CursorX = mouse.x;
  state.CursorY = mouse.y;
  AddBandArea(state, areas, cursorDrawnOver);
  return areas;
}

// With the screen locked; on a screen that is the frame, what it covers is
// kept to be put back.
void DrawBand(PresentState& state, SDL_Surface* surface, int32_t pixelMode, bool overFrame) {
  const int32_t rows = BandRows(state);
  const int32_t top = SCREEN_HEIGHT - rows;
  auto* pixels = static_cast<uint8_t*>(surface->pixels);
  if (overFrame) {
    state.BandDrawn = state.Band;
    state.BandUnder.resize(state.Band.size());
  }
  for (int32_t row = 0; row < rows; ++row) {
    uint8_t* line = pixels + static_cast<size_t>(top + row) * surface->pitch;
    const size_t at = static_cast<size_t>(row) * SCREEN_WIDTH;
    if (overFrame) std::memcpy(state.BandUnder.data() + at, line, SCREEN_WIDTH * 4);
    ConvertRow(state.Band.data() + at, line, SCREEN_WIDTH, pixelMode);
  }
}

// Where the screen is the frame, the band's pixels are put back as the frame
// had them, except where the frame has been drawn on since.
void LiftBand(PresentState& state, Picture& frame) {
  const size_t count = state.BandUnder.size();
  if (count != state.BandDrawn.size()) return;
  const size_t from = static_cast<size_t>(SCREEN_HEIGHT) * SCREEN_WIDTH - count;
  for (size_t i = 0; i < count; ++i) {
    uint32_t& pixel = frame.pixels[from + i];
    if (pixel == state.BandDrawn[i]) pixel = state.BandUnder[i];
  }
  state.BandUnder.clear();
  state.BandDrawn.clear();
}

// With the screen locked.
void DrawSoftCursor(const Reader& reader, SDL_Surface* surface) {
  if (!SoftCursorShown(reader)) return;
  DrawCursorPicture(reader.CursorImage, reader.Mouse.x, reader.Mouse.y, surface,
                    reader.Video.PixelMode);
}

bool CoversScreen(const std::vector<SDL_Rect>& areas) {
  return areas.size() == 1 && areas[0].w == SCREEN_WIDTH && areas[0].h == SCREEN_HEIGHT;
}

// Blits src's areas onto dst at the same places.
void BlitAreas(SDL_Surface* src, SDL_Surface* dst, const std::vector<SDL_Rect>& areas) {
  for (SDL_Rect area : areas) {
    SDL_Rect to = area;
    SDL_UpperBlit(src, &area, dst, &to);
  }
}

// A surface SDL cannot lock leaves the screen unknown: the next present is whole.
bool LockTarget(PresentState& state, SDL_Surface* target) {
  if (SDL_LockSurface(target) == 0) return true;
  SDL_UnlockSurface(target);
  state.WholePending = 1;
  return false;
}

// The band and the soft cursor on top, then the areas on to the screen.
void Show(Reader& reader, SDL_Surface* target, std::vector<SDL_Rect>& areas) {
  const VideoState& video = reader.Video;
  DrawBand(reader.Presentation, target, video.PixelMode, target == reader.BackBufferSurface);
  DrawSoftCursor(reader, target);
  SDL_UnlockSurface(target);
  if (video.ShadowSurface != nullptr) BlitAreas(video.ShadowSurface, video.ScreenSurface, areas);
  if (CoversScreen(areas)) {
    SDL_Flip(video.ScreenSurface);
  } else {
    SDL_UpdateRects(video.ScreenSurface, static_cast<int>(areas.size()), areas.data());
  }
  ++reader.Presentation.Presents;
  reader.Presentation.UpdatedRects = static_cast<int32_t>(areas.size());
}

void PresentSurfaceBackBuffer(Reader& reader) {
  PresentState& state = reader.Presentation;
  SDL_Surface* backBuffer = reader.BackBufferSurface;
  if (state.PresentedThisFrame) return;
  state.PresentedThisFrame = 1;
  SDL_Surface* target = PresentSurface(reader.Video);
  if (backBuffer == target) LiftBand(state, reader.BackBuffer);
  std::vector<SDL_Rect> areas = AreasToShow(reader, backBuffer == target);
  SDL_UnlockSurface(backBuffer);
  state.BackBufferLocked = 0;
  if (areas.empty()) return;
  if (backBuffer != target) BlitAreas(backBuffer, target, areas);
  if (LockTarget(state, target)) Show(reader, target, areas);
}

}  // namespace

bool LockBackBuffer(Reader& reader) {
  SDL_Surface* surface = reader.BackBufferSurface;
  if (surface == nullptr) return true;
  if (reader.Presentation.BackBufferLocked) FatalError("Already locked !");
  if (SDL_LockSurface(surface) < 0) {
    SDL_UnlockSurface(surface);
    return false;
  }
  reader.Presentation.BackBufferLocked = 1;
  reader.BackBuffer.pixels = static_cast<uint32_t*>(surface->pixels);
  if (surface->pitch != SCREEN_WIDTH * 4) FatalError("Pitch fucked ?!");
  return true;
}

void Present(Reader& reader) {
  if (reader.BackBufferSurface != nullptr) {
    PresentSurfaceBackBuffer(reader);
    return;
  }
  std::vector<SDL_Rect> areas = AreasToShow(reader, false);
  if (areas.empty()) return;
  SDL_Surface* target = PresentSurface(reader.Video);
  if (!LockTarget(reader.Presentation, target)) return;
  for (const SDL_Rect& area : areas) {
    ConvertArea(reader.BackBuffer, target, area, reader.Video.PixelMode);
  }
  Show(reader, target, areas);
}

void ForceWholePresent(PresentState& presentation) { presentation.WholePending = 1; }

void SetPresentBand(PresentState& presentation, std::vector<uint32_t> band) {
  if (band == presentation.Band) return;
  presentation.Band = std::move(band);
  presentation.BandChanged = 1;
}

void HideEngineCursor(Reader& reader) {
  if (reader.Presentation.CursorHidden != 0) return;
  reader.Presentation.CursorHidden = 1;
  if (!reader.Setup.SoftCursor) SystemCursorShow(reader.Video.Cursor, false);
}

void ShowEngineCursor(Reader& reader) {
  if (reader.Presentation.CursorHidden != 1) return;
  reader.Presentation.CursorHidden = 0;
  if (!reader.Setup.SoftCursor) SystemCursorShow(reader.Video.Cursor, true);
}
