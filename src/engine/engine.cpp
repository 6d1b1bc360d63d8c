#include "engine/engine.h"

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "base/fatal.h"
#include "engine/font_list.h"
#include "engine/issue_watch.h"
#include "engine/reader_state.h"
#include "music/msx.h"
#include "pictures/draw.h"
#include "pictures/image_loader.h"
#include "platform/document_opener.h"
#include "resources/resource_file.h"
#include "search/search.h"

namespace {

// A surface works as the back buffer only with rows exactly 640 pixels apart,
// since a Picture has no pitch of its own.
SDL_Surface* DirectXSurface(const Reader& reader) {
  SDL_Surface* screen = reader.Video.ScreenSurface;
  const bool screenIsArgb = reader.Setup.Bpp == 32 && reader.Video.PixelMode == PIXEL_ARGB8888;
  SDL_Surface* surface = screenIsArgb
                             ? screen
                             : SDL_CreateRGBSurface(SDL_HWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 32,
                                                    0xFF0000, 0x00FF00, 0x0000FF, 0);
  if (surface == nullptr || surface->pitch == SCREEN_WIDTH * 4) return surface;
  if (surface != screen) SDL_FreeSurface(surface);
  return nullptr;
}

void CreateBackBuffer(Reader& reader) {
  reader.BackBufferSurface = reader.Setup.DirectXBlit ? DirectXSurface(reader) : nullptr;
  if (reader.BackBufferSurface != nullptr) {
    reader.BackBuffer = Picture{nullptr, nullptr, SCREEN_WIDTH, SCREEN_HEIGHT};
  } else {
    PictureAlloc(reader.BackBuffer, SCREEN_WIDTH, SCREEN_HEIGHT);
  }
}

void LoadFirstArticle(Reader& reader, const std::string& path) {
  reader.CurrentArticlePath = path;
  reader.CurrentArticle = std::make_unique<Article>();
  ArticleLoad(*reader.CurrentArticle, reader.CurrentArticlePath.c_str(), EngineFonts(reader));
  ArticleSetView(*reader.CurrentArticle, reader.CurrentPanel->oldPage);
}

// The member is held while it is loaded, so that a loader's error names it.
void LoadPlasmaPicture(IndexedPicture& plasma) {
  const ResourceFile member("DATA/panels/plasma.gif");
  if (!LoadGif(member.name(), plasma, nullptr)) FatalError("Pix loader error ![GIF]");
}

void LoadPlasma(Reader& reader) {
  LoadPlasmaPicture(reader.PlasmaImage);
  if (reader.PlasmaImage.width != reader.BackBuffer.width ||
      reader.PlasmaImage.height != reader.BackBuffer.height) {
    FatalError("Wrong plasma file !");
  }
}

// The block copy that the settings ask for.
CopyMode CopyModeOf(const SetupConfig& setup) {
  return setup.UseSimd ? COPY_SSE2 : setup.UseMmx ? COPY_CHUNKS : COPY_PLAIN;
}

void LoadPanels(Reader& reader) {
  reader.PanelCount = ParsePanels(reader.PanelList);
  reader.CurrentPanel = reader.PanelList[0].get();
}

void EngineInit(Reader& reader) {
  SetCopyMode(CopyModeOf(reader.Setup));
  reader.Presentation = PresentState{};
  CoversReset(reader.OpeningCover, reader.ClosingSequence);
  CreateBackBuffer(reader);
  PictureAlloc(reader.SavedScreen, SCREEN_WIDTH, SCREEN_HEIGHT);
  PanelEngineReset(reader);
  LoadIssueParts(reader, reader.StartArticle.empty() ? FIRST_ARTICLE : reader.StartArticle);
  MsxInit(reader.Setup);
  if (!reader.StartArticle.empty()) OpeningCoverSkip(reader.OpeningCover);
}

void FreeBackBufferSurface(Reader& reader) {
  SDL_Surface*& surface = reader.BackBufferSurface;
  if (surface == nullptr) return;
  if (reader.Presentation.BackBufferLocked) SDL_UnlockSurface(surface);
  if (surface != reader.Video.ScreenSurface) SDL_FreeSurface(surface);
  surface = nullptr;
}

void EngineShutdown(Reader& reader) {
  MsxShutdown();
  ReapOpeners();
  FreeIssueParts(reader);
  PanelEngineFree(reader);
  FreeBackBufferSurface(reader);
  PictureFree(reader.BackBuffer);
  PictureFree(reader.SavedScreen);
  ClosingFree(reader.ClosingSequence);
  OpeningCoverFree(reader.OpeningCover);
}

}  // namespace

void LoadIssueParts(Reader& reader, const std::string& articlePath) {
  reader.EngineFixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
  reader.EngineFontManager = FontManagerCreate();
  LoadFontList(*reader.EngineFontManager);
  LoadPanels(reader);
  LoadFirstArticle(reader, articlePath);
  LoadPlasma(reader);
  reader.Search = SearchInit();
}

void FreeIssueParts(Reader& reader) {
  reader.Search.reset();
  reader.PanelEngine.Link = nullptr;
  if (reader.CurrentArticle) {
    ArticleClose(*reader.CurrentArticle);
    reader.CurrentArticle.reset();
  }
  PanelListDestroy(reader.PanelList);
  reader.PanelCount = 0;
  reader.CurrentPanel = nullptr;
  reader.EngineFixedFont.reset();
  if (reader.EngineFontManager) FontManagerDestroy(reader.EngineFontManager);
  PictureFree(reader.PlasmaImage);
}

ArticleFonts EngineFonts(const Reader& reader) {
  return {reader.EngineFontManager.get(), reader.EngineFixedFont.get()};
}

void EngineCommand(Reader& reader, int command) {
  switch (command) {
    case ENGINE_INIT:
      EngineInit(reader);
      break;
    case ENGINE_FRAME:
      if (reader.Watch.enabled) {
        WatchFrame(reader);
      } else {
        PanelEngineFrame(reader);
      }
      MsxPoll();
      ReapOpeners();
      break;
    case ENGINE_SHUTDOWN:
      EngineShutdown(reader);
      break;
    default:
      break;
  }
}
