#include "magtool/render_session.h"

#include <cstdio>
#include <filesystem>

#include "articles/article_links.h"
#include "base/clock.h"
#include "base/fatal_guard.h"
#include "engine/font_list.h"
#include "magtool/place_archive.h"
#include "magtool/workspace.h"
#include "resources/archive.h"
#include "resources/reading_place.h"
#include "widgets/panel.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t STILL_TICKS = 1000;
uint32_t StillClock() { return STILL_TICKS; }

void LoadEngineResources(RenderResources& loaded) {
  loaded.fixedFont = FixedFontLoad("DATA/fonts/fixed.fnt");
  loaded.fontManager = FontManagerCreate();
  LoadFontList(*loaded.fontManager);
  loaded.panelCount = ParsePanels(loaded.panels);
}

// Undone however the command ends, a fault and exhausted memory unwinding to
// main included.
struct Session {
  explicit Session(Workspace& work, const fs::path& archive) {
    ResourceUsePlaces({archive.string(), work.Folder().string()});
    SetEngineClock(StillClock);
  }
  ~Session() {
    PanelListDestroy(loaded.panels);
    FontManagerDestroy(loaded.fontManager);
    loaded.fixedFont.reset();
    ResourceCloseAll();
    ResourceUsePlaces({});
    SetEngineClock(nullptr);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  RenderResources loaded;
};

}  // namespace

int WithRenderedIssue(const std::string& source, const char* prefix,
                      const std::function<int(RenderResources&)>& draw,
                      const PackOptions& packing) {
  Workspace work(prefix);
  if (!work.Made()) {
    std::fprintf(stderr, "magtool: cannot make a working directory\n");
    return 1;
  }
  const fs::path archive = PlaceArchive(fs::absolute(source), work, packing);
  if (archive.empty()) return 1;
  Session session(work, archive);
  session.loaded.archive = archive;
  int status = 1;
  // A fault is named where it struck, as check names it, when a member was
  // being read.
  const std::optional<std::string> fault = RunGuarded<std::string>(
      [&] {
        LoadEngineResources(session.loaded);
        status = draw(session.loaded);
      },
      [](const char* message) {
        const std::string placed = PlaceLine(FatalPlaceNow(), message);
        return placed.empty() ? std::string(message) : placed;
      });
  if (fault) std::fprintf(stderr, "magtool: %s\n", fault->c_str());
  return fault ? 1 : status;
}

Panel* RenderPanel(RenderResources& loaded, int number) {
  if (number >= 0 && number < loaded.panelCount && loaded.panels[number]) {
    // At rest: a fresh panel shows each animated button's first frame until
    // the clock, which stands still here, has run one step.
    for (PanelButton& button : loaded.panels[number]->buttons) button.current = -1;
    return loaded.panels[number].get();
  }
  std::fprintf(stderr, "magtool: no panel %d (the issue has %d)\n", number, loaded.panelCount);
  return nullptr;
}

void DrawFrame(Panel& panel, Article& article, Picture& screen) {
  if (article.marqueeClock == 0) {
    const auto width = static_cast<uint32_t>(ArticleTitleWidth(article));
    article.marqueeClock = EngineTicks() - width * MARQUEE_STEP_MS;
  }
  PanelDrawArticle(panel, &article, 1, screen);
  PanelDrawChrome(panel, &article, screen, 0, 0.0f, 0.0f, 0.0f);
}
