#include "engine/engine.h"

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"

#include "base/fatal.h"
#include "base/setup_config.h"
#include "engine/covers.h"
#include "engine/document_opener.h"
#include "engine/font_list.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/present.h"
#include "engine/video.h"
#include "music/msx.h"
#include "resources/draw.h"
#include "resources/image_loader.h"
#include "resources/resource_file.h"
#include "search/search.h"

Picture BackBuffer;
SDL_Surface* BackBufferSurface;
Picture SavedScreen;
IndexedPicture PlasmaImage;
Picture CursorImage;
MouseState Mouse;
std::unique_ptr<FixedFont> EngineFixedFont;
std::unique_ptr<FontManager> EngineFontManager;

namespace {

// A surface works as the back buffer only with rows exactly 640 pixels apart,
// since a Picture has no pitch of its own.
SDL_Surface* DirectXSurface() {
  SDL_Surface* surface = Setup.Bpp == 32
                             ? Video.ScreenSurface
                             : SDL_CreateRGBSurface(SDL_HWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT,
                                                    32, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (surface == nullptr || surface->pitch == SCREEN_WIDTH * 4) return surface;
  if (surface != Video.ScreenSurface) SDL_FreeSurface(surface);
  return nullptr;
}

void CreateBackBuffer() {
  BackBufferSurface = Setup.DirectXBlit ? DirectXSurface() : nullptr;
  if (BackBufferSurface != nullptr) {
    BackBuffer = Picture{nullptr, nullptr, SCREEN_WIDTH, SCREEN_HEIGHT};
  } else {
    PictureAlloc(BackBuffer, SCREEN_WIDTH, SCREEN_HEIGHT);
  }
}

void LoadFirstArticle() {
  CurrentArticlePath = FIRST_ARTICLE;
  CurrentArticle = std::make_unique<Article>();
  ArticleLoad(*CurrentArticle, CurrentArticlePath.c_str(), EngineFonts());
  ArticleSetView(*CurrentArticle, CurrentPanel->oldPage);
}

// The member is held while it is loaded, so that a loader's error names it.
void LoadPlasmaPicture() {
  const ResourceFile plasma("DATA/panels/plasma.gif");
  if (!LoadGif(plasma.name(), PlasmaImage, nullptr)) FatalError("Pix loader error ![GIF]");
}

void LoadPlasma() {
  LoadPlasmaPicture();
  if (PlasmaImage.width != BackBuffer.width || PlasmaImage.height != BackBuffer.height) {
    FatalError("Wrong plasma file !");
  }
}

// The block copy that the settings ask for.
CopyMode CopyModeOf(const SetupConfig& setup) {
  return setup.UseSimd ? COPY_SSE2 : setup.UseMmx ? COPY_CHUNKS : COPY_PLAIN;
}

void EngineInit() {
  SetCopyMode(CopyModeOf(Setup));
  Presentation = PresentState{};
  CoversReset();
  CreateBackBuffer();
  PictureAlloc(SavedScreen, SCREEN_WIDTH, SCREEN_HEIGHT);
  EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
  EngineFontManager = FontManagerCreate();
  LoadFontList(*EngineFontManager);
  ParsePanels();
  PanelEngineReset();
  LoadFirstArticle();
  LoadPlasma();
  SearchInit();
  MsxInit();
}

void EngineShutdown() {
  MsxShutdown();
  ReapOpeners();
  SearchFree();
  if (CurrentArticle) {
    ArticleClose(*CurrentArticle);
    CurrentArticle.reset();
  }
  PanelEngineFree();
  PanelListDestroy();
  EngineFixedFont.reset();
  CurrentPanel = nullptr;
  if (EngineFontManager) FontManagerDestroy(EngineFontManager);
  if (BackBufferSurface != nullptr) {
    if (Presentation.BackBufferLocked) SDL_UnlockSurface(BackBufferSurface);
    if (BackBufferSurface != Video.ScreenSurface) SDL_FreeSurface(BackBufferSurface);
    BackBufferSurface = nullptr;
  }
  PictureFree(BackBuffer);
  PictureFree(SavedScreen);
  PictureFree(PlasmaImage);
  ClosingFree();
  OpeningCoverFree();
}

}  // namespace

ArticleFonts EngineFonts() { return {EngineFontManager.get(), EngineFixedFont.get()}; }

void EngineCommand(int command) {
  switch (command) {
    case ENGINE_INIT: EngineInit(); break;
    case ENGINE_FRAME:
      PanelEngineFrame();
      MsxPoll();
      ReapOpeners();
      break;
    case ENGINE_SHUTDOWN: EngineShutdown(); break;
    default: break;
  }
}
