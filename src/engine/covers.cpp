#include "engine/covers.h"

#include <cmath>

#include "base/clock.h"
#include "base/fatal.h"
#include "engine/keys.h"
#include "music/msx.h"
#include "pictures/draw.h"
#include "pictures/image_loader.h"

namespace {

constexpr uint32_t OPENING_MS = 7000;
constexpr uint32_t FADE_MS = 1500;
constexpr uint32_t SCROLL_LOOP_MS = 12000;
constexpr uint32_t CLOSING_MAX_MS = 120000;
constexpr double FADE_RATE = 0.0006666666666666666;  // 1 / FADE_MS
constexpr float SCROLL_RATE = 0.00008333333f;        // 1 / SCROLL_LOOP_MS
constexpr int32_t COVER_WIDTH = 640;
constexpr int32_t COVER_HEIGHT = 480;

void LoadCover(const char* path, Picture& cover) {
  ImageLoader(path, cover);
  if (cover.width != COVER_WIDTH || cover.height != COVER_HEIGHT) {
    FatalError("Wrong cover sizes !");
  }
}

// The fade blends over a copy of the screen it started on: blending over the
// previous frame's blend would run the fade ahead of its clock.
void LoadClosing(ClosingSequenceState& closing, const Picture& screen) {
  closing.Loaded = 1;
  LoadCover(CLOSING_COVER_PATH, closing.Cover);
  ImageLoader(END_SCROLL_PATH, closing.Scroll);
  PictureAlloc(closing.LastScreen, screen.width, screen.height);
  Blit(screen, 0, 0, closing.LastScreen, DRAW_OPAQUE, 1.0f);
  closing.StartTick = EngineTicks();
}

// The rate is held as a float, the product worked in double: at 6000 ms a
// 960-row scroll stands at -239, not -240.
int32_t ScrollY(uint32_t sinceFade, int32_t screenHeight, int32_t scrollHeight) {
  const double travelled = static_cast<double>(sinceFade % SCROLL_LOOP_MS) *
                           static_cast<double>(SCROLL_RATE) * (screenHeight + scrollHeight);
  return static_cast<int32_t>(std::trunc(screenHeight - travelled));
}

}  // namespace

void CoversReset(OpeningCoverState& opening, ClosingSequenceState& closing) {
  OpeningCoverFree(opening);
  ClosingFree(closing);
  opening = OpeningCoverState{};
  closing = ClosingSequenceState{};
}

void OpeningCoverFrame(OpeningCoverState& opening, Picture& screen) {
  if (opening.Done) return;
  ++opening.Calls;
  if (!opening.Loaded) {
    opening.Loaded = 1;
    LoadCover(OPENING_COVER_PATH, opening.Cover);
    opening.StartTick = EngineTicks();
    Blit(opening.Cover, 0, 0, screen, DRAW_OPAQUE, 1.0f);
    return;
  }
  if (opening.Calls == 2) MsxPlay(COVER_TUNE);
  Blit(opening.Cover, 0, 0, screen, DRAW_OPAQUE, 1.0f);
  if (EngineTicks() - opening.StartTick > OPENING_MS) {
    OpeningCoverFree(opening);
    opening.Done = 1;
  }
}

int32_t OpeningCoverDone(const OpeningCoverState& opening) { return opening.Done; }

void OpeningCoverSkip(OpeningCoverState& opening) {
  OpeningCoverFree(opening);
  opening.Done = 1;
  MsxPlay(COVER_TUNE);
}

void OpeningCoverFree(OpeningCoverState& opening) {
  if (!opening.Loaded) return;
  PictureFree(opening.Cover);
  opening.Loaded = 0;
}

void StartClosing(ClosingSequenceState& closing) { closing.ClosingDone = 0; }

int32_t ClosingDone(const ClosingSequenceState& closing) { return closing.ClosingDone; }

void ClosingFrame(ClosingSequenceState& closing, Picture& screen, KeyState& keys) {
  if (closing.ClosingDone) return;
  if (!closing.Loaded) LoadClosing(closing, screen);
  const uint32_t elapsed = EngineTicks() - closing.StartTick;
  if (elapsed <= FADE_MS) {
    Blit(closing.LastScreen, 0, 0, screen, DRAW_OPAQUE, 1.0f);
    Blit(closing.Cover, 0, 0, screen, DRAW_ALPHA, static_cast<float>(elapsed * FADE_RATE));
    return;
  }
  Blit(closing.Cover, 0, 0, screen, DRAW_OPAQUE, 1.0f);
  const uint32_t sinceFade = elapsed - FADE_MS;
  if (sinceFade >= SCROLL_LOOP_MS) RaiseQuit(keys);
  Blit(closing.Scroll, END_SCROLL_X, ScrollY(sinceFade, screen.height, closing.Scroll.height),
       screen, DRAW_OPAQUE, 1.0f);
  if (elapsed > CLOSING_MAX_MS) {
    ClosingFree(closing);
    closing.ClosingDone = 1;
    RaiseQuit(keys);
  }
}

void ClosingFree(ClosingSequenceState& closing) {
  if (!closing.Loaded) return;
  PictureFree(closing.Cover);
  PictureFree(closing.Scroll);
  PictureFree(closing.LastScreen);
  closing.Loaded = 0;
}
