#include "engine/video.h"

#include <cstdlib>

#include "base/fatal.h"
#include "base/text_encoding.h"
#include "pictures/image_loader.h"
#include "platform/sdl_hints.h"
#include "platform/window_icon.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"

uint32_t VideoFlags(const SetupConfig& config) {
  uint32_t flags = 0;
  if (config.FullScreen == 1) flags |= SDL_FULLSCREEN;
  if (config.DoubleBuffered != 0) flags |= SDL_DOUBLEBUF;
  if (config.HwSurfaces != 0) flags |= SDL_HWSURFACE;
  return flags;
}

std::string WindowCaption(const IssueName& issue) {
  return issue.name.empty() ? WINDOW_CAPTION : Utf8FromWindows1252(issue.name);
}

namespace {

// A missing or unreadable icon is not reported.
void SetWindowIcon() {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(ResourceFile("DATA/panels/icon.bmp").name(), bytes)) {
    SetWindowIconFromBmp(bytes);
  }
}

void SetMode(VideoState& video, const SetupConfig& config) {
  uint32_t flags = VideoFlags(config);
  video.ScreenSurface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, config.Bpp, flags);
  if (video.ScreenSurface == nullptr && config.Bpp == 15) {
    video.ScreenSurface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, flags);
    if (video.ScreenSurface != nullptr) {
      video.ShadowSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 15,
                                                 0x7C00, 0x03E0, 0x001F, 0);
      if (video.ShadowSurface == nullptr) video.ScreenSurface = nullptr;
    }
  }
  if (video.ScreenSurface == nullptr) FatalError("SDL: Cannot set video !");
}

void CheckScreenFormat(VideoState& video) {
  const SDL_PixelFormat* format = PresentSurface(video)->format;
  PixelFormatCheck check =
      CheckPixelFormat(format->BitsPerPixel, format->Rmask, format->Gmask, format->Bmask);
  if (check.error != nullptr) FatalError(check.error);
  video.PixelMode = check.pixelMode;
}

}  // namespace

void VideoStart(VideoState& video, Picture& cursorImage, const SetupConfig& config,
                int windowScale) {
  video = VideoState{};
  SetSdlHints(config, windowScale);
  if (SDL_Init(SDL_INIT_VIDEO) < 0) FatalError("SDL: Cannot init !");
  std::atexit(SDL_Quit);
  SetWindowIcon();
  SetMode(video, config);
  SystemCursorStart(video.Cursor);
  SystemCursorShow(video.Cursor, config.SoftCursor == 0);
  ImageLoader("DATA/panels/cursor.png", cursorImage);
  SDL_WM_SetCaption(WindowCaption(ReadIssueName()).c_str(), nullptr);
  CheckScreenFormat(video);
}

SDL_Surface* PresentSurface(const VideoState& video) {
  return video.ShadowSurface != nullptr ? video.ShadowSurface : video.ScreenSurface;
}

void VideoStop(VideoState& video, Picture& cursorImage) {
  PictureFree(cursorImage);
  SystemCursorStop(video.Cursor);
  if (video.ShadowSurface != nullptr) SDL_FreeSurface(video.ShadowSurface);
  video = VideoState{};
}
