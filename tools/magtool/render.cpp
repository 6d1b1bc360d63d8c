// magtool render: one normal reader frame drawn off screen into a PNG.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "articles/article_lifecycle.h"
#include "articles/article_view.h"
#include "base/clock.h"
#include "base/fatal.h"
#include "engine/font_list.h"
#include "engine/panel_list.h"
#include "engine/present.h"
#include "engine/video.h"
#include "magtool/commands.h"
#include "magtool/workspace.h"
#include "resources/archive.h"
#include "resources/file_ptr.h"

namespace fs = std::filesystem;

namespace {

// The workspace of the running render, left by the fatal path too.
Workspace* activeWorkspace = nullptr;

void ExitOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "magtool: %s\n", message);
  ResourceCloseAll();  // its extracted files live in the workspace
  if (activeWorkspace != nullptr) activeWorkspace->Remove();
  std::exit(1);
}

uint8_t Widen(uint32_t value, int bits) {
  const uint32_t top = value << (8 - bits);
  return static_cast<uint8_t>(top | (top >> bits));
}

// 8-bit RGB as the screen of the given depth shows the pixel.
void ScreenRgb(uint32_t p, int32_t bpp, uint8_t* rgb) {
  if (bpp == 16) {
    const uint16_t s = ToRgb565(p);
    rgb[0] = Widen(s >> 11, 5);
    rgb[1] = Widen((s >> 5) & 0x3F, 6);
    rgb[2] = Widen(s & 0x1F, 5);
  } else if (bpp == 15) {
    const uint16_t s = ToRgb555(p);
    rgb[0] = Widen(s >> 10, 5);
    rgb[1] = Widen((s >> 5) & 0x1F, 5);
    rgb[2] = Widen(s & 0x1F, 5);
  } else {
    rgb[0] = static_cast<uint8_t>(p >> 16);
    rgb[1] = static_cast<uint8_t>(p >> 8);
    rgb[2] = static_cast<uint8_t>(p);
  }
}

bool WriteRgbPng(const fs::path& path, const Picture& screen, int32_t bpp) {
  const size_t stride = static_cast<size_t>(screen.width) * 3;
  std::vector<uint8_t> rgb(stride * screen.height);
  for (size_t i = 0; i < static_cast<size_t>(screen.width) * screen.height; ++i) {
    ScreenRgb(screen.pixels[i], bpp, &rgb[i * 3]);
  }
  FilePtr file = OpenFile(path.c_str(), "wb");
  if (file == nullptr) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr && setjmp(png_jmpbuf(png)) == 0;
  if (ok) {
    png_init_io(png, file.get());
    png_set_IHDR(png, info, screen.width, screen.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < screen.height; ++y) png_write_row(png, &rgb[y * stride]);
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file.release()) == 0 && ok;
}

// Renders stand still in time, so that the same page always gives the same
// picture: every animation shows its first frame.
constexpr uint32_t RENDER_TICKS = 1000;
uint32_t RenderClock() { return RENDER_TICKS; }

// What a render loads, as the reader's start-up loads it.
struct RenderResources {
  std::unique_ptr<FixedFont> fixedFont;
  std::unique_ptr<FontManager> fontManager;
  PanelArray panels;
  int32_t panelCount = 0;
};

void LoadEngineResources(RenderResources& loaded) {
  SetEngineClock(RenderClock);
  loaded.fixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
  loaded.fontManager = FontManagerCreate();
  LoadFontList(*loaded.fontManager);
  loaded.panelCount = ParsePanels(loaded.panels);
}

void ReleaseEngineResources(RenderResources& loaded) {
  PanelListDestroy(loaded.panels);
  FontManagerDestroy(loaded.fontManager);
  loaded.fixedFont.reset();
  ResourceCloseAll();
  SetEngineClock(nullptr);
}

void DrawFrame(Panel& panel, Article& article, Picture& screen) {
  PanelDrawArticle(panel, &article, 1, screen);
  PanelDrawChrome(panel, &article, screen, 0, 0.0f, 0.0f, 0.0f);
}

// The first draw resets the page as the reader's first frame does.
void RenderArticle(const RenderOptions& options, Panel& panel, ArticleFonts fonts,
                   Picture& screen) {
  Article article;
  ArticleLoad(article, options.article.c_str(), fonts);
  PanelSetMouse(panel, options.mouseX, options.mouseY);
  DrawFrame(panel, article, screen);
  for (int32_t i = 0; i < options.page; ++i) ArticlePageForward(article);
  DrawFrame(panel, article, screen);
  ArticleClose(article);
}

int RenderIssue(const RenderOptions& options, const fs::path& out) {
  RenderResources loaded;
  LoadEngineResources(loaded);
  if (options.panel < 0 || options.panel >= loaded.panelCount || !loaded.panels[options.panel]) {
    std::fprintf(stderr, "magtool: no panel %d (the issue has %d)\n", options.panel,
                 loaded.panelCount);
    ReleaseEngineResources(loaded);
    return 1;
  }
  Picture screen;
  PictureAlloc(screen, SCREEN_WIDTH, SCREEN_HEIGHT);
  RenderArticle(options, *loaded.panels[options.panel],
                {loaded.fontManager.get(), loaded.fixedFont.get()}, screen);
  ReleaseEngineResources(loaded);
  if (WriteRgbPng(out, screen, options.bpp)) return 0;
  std::fprintf(stderr, "magtool: cannot write %s\n", out.c_str());
  return 1;
}

}  // namespace

int RenderCommand(const RenderOptions& options) {
  const fs::path archive = fs::absolute(options.archive);
  Workspace work("magtool-render");
  std::error_code error;
  if (!work.Made() || !fs::is_regular_file(archive, error) || !OpenFile(archive.c_str(), "rb")) {
    std::fprintf(stderr, "magtool: cannot read %s\n", archive.c_str());
    return 1;
  }
  activeWorkspace = &work;
  ResourceUsePlaces({archive.string(), work.Folder().string()});
  // Undone however the render ends, exhausted memory unwinding to main included.
  struct Session {
    FatalHandler previous = SetFatalHandler(ExitOnFatal);
    ~Session() {
      SetFatalHandler(previous);
      ResourceCloseAll();
      ResourceUsePlaces({});
      activeWorkspace = nullptr;
    }
  } session;
  return RenderIssue(options, options.out);
}
