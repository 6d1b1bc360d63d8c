// The setup dialog's own window, and the setup step of start-up around it.
#include <cstdlib>
#include <memory>

#include "base/fatal.h"
#include "pictures/screen_pixels.h"
#include "platform/sdl_hints.h"
#include "platform/shutdown_signals.h"
#include "setup/setup_dialog.h"
#include "setup/setup_file.h"

namespace {

constexpr const char* FIXED_FONT_PATH = "DATA/fonts/fixed.fnt";
constexpr Uint32 WAIT_POLL_MS = 10;

// SDL's video only for as long as the dialog is open: the start-up sets the
// real mode afterwards.
struct DialogVideo {
  DialogVideo() {
    SetRendererHints();
    if (SDL_Init(SDL_INIT_VIDEO) < 0) FatalError("SDL: Cannot init !");
  }
  ~DialogVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
  DialogVideo(const DialogVideo&) = delete;
  DialogVideo& operator=(const DialogVideo&) = delete;
};

struct PictureOwner {
  Picture picture{};
  ~PictureOwner() { PictureFree(picture); }
};

SDL_Surface* OpenWindow() {
  SDL_Surface* screen =
      SDL_SetVideoMode(SETUP_DIALOG_WIDTH, SETUP_DIALOG_HEIGHT, 32, SDL_SWSURFACE);
  if (screen == nullptr) FatalError("SDL: Cannot set video !");
  SDL_WM_SetCaption(SETUP_DIALOG_CAPTION, nullptr);
  return screen;
}

void Show(const Picture& frame, SDL_Surface* screen) {
  const SDL_PixelFormat* format = screen->format;
  PixelFormatCheck check =
      CheckPixelFormat(format->BitsPerPixel, format->Rmask, format->Gmask, format->Bmask);
  if (check.error != nullptr) FatalError(check.error);
  if (SDL_LockSurface(screen) < 0) return;
  ConvertFrame(frame, screen, check.pixelMode);
  SDL_UnlockSurface(screen);
  SDL_Flip(screen);
}

// SDL_WaitEvent's own polling, which also leaves once a shutdown signal came.
// False when there is nothing more to wait for: the queue failed, or a signal.
bool WaitForEvent(SDL_Event& event) {
  while (!ShutdownRequested()) {
    SDL_PumpEvents();
    const int got = SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_ALLEVENTS);
    if (got != 0) return got > 0;
    SDL_Delay(WAIT_POLL_MS);
  }
  return false;
}

}  // namespace

void SetupDialogRunModal(SetupDialog& dialog) {
  std::unique_ptr<FixedFont> font = FixedFontLoad(FIXED_FONT_PATH);
  dialog.credits = SetupDialogCredits();
  DialogVideo video;
  SDL_Surface* screen = OpenWindow();
  PictureOwner frame;
  PictureAlloc(frame.picture, SETUP_DIALOG_WIDTH, SETUP_DIALOG_HEIGHT);
  while (!dialog.closed) {
    SetupDialogDraw(dialog, *font, frame.picture);
    Show(frame.picture, screen);
    SDL_Event event;
    // An end of waiting ends the dialog as closing the window would.
    if (!WaitForEvent(event)) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      event = quit;
    }
    SetupDialogHandleEvent(dialog, event);
  }
}

void RunSetupDialog(SetupConfig& config, bool show) {
  ReadSetupFile(config);
  SetupDialog dialog = SetupDialogOpen(config);
  if (show) {
    SetupDialogRunModal(dialog);
  } else {
    SetupDialogActivate(dialog, SETUP_OK);
  }
  config = dialog.settings;
  ClampDelays(config);
  if (dialog.saveRequested) WriteSetupFile(config);
  // std::exit, so that the exit handlers remove the archive's temporary files.
  // A shutdown signal ends the reader as a normal quit does.
  if (!dialog.accepted) std::exit(ShutdownRequested() ? 0 : SETUP_CANCELLED_STATUS);
}
