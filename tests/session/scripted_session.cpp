// A short reading session on the demo issue, run by the reader's own start-up
// and main loop: the opening cover, the pointer over the contents page, links
// found by moving it over the page and clicked, every page key, the wheel,
// each scroll style, back, the next panel, and the quit request with the
// closing sequence that ends the reader, then the normal shutdown.
// Exits 1 when a step does not do what it should or the engine stops with a
// fatal error; meant to run under a leak checker.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/fatal.h"
#include "engine/covers.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "session_driver.h"
#include "support/scratch_dir.h"

namespace {

constexpr int32_t SCAN_STEP = 12;  // below the line height, so no link line is skipped
constexpr int32_t SCROLL_STYLES = 5;
constexpr size_t LINKS_FOLLOWED = 2;  // keeps the session short under valgrind
// The clock leaps 250 ms a read: the 7 s cover and the 13.5 s closing take a
// few dozen frames each.
constexpr int32_t COVER_FRAMES_MAX = 60;
constexpr int32_t CLOSING_FRAMES_MAX = 120;

struct LinkSpot {
  int32_t x, y;
  std::string path;
};

bool failed = false;

void Check(bool ok, const char* step) {
  if (ok) return;
  std::fprintf(stderr, "scripted session: %s failed\n", step);
  failed = true;
}

// Without this the engine would end the process with status 0.
void FailOnFatal(int, const char*, const char* message) {
  std::fprintf(stderr, "scripted session: fatal error [%s]\n", message);
  std::exit(1);
}

// The article path of an "ART:" target, or empty for other targets.
std::string ArticleOf(const std::string& target) {
  if (target.compare(0, 4, "ART:") != 0) return {};
  return target.substr(4, target.find(":ALT:") - 4);
}

// Moves the pointer down the view a little right of the text origin and
// keeps the first spot of every article link it passes over.
std::vector<LinkSpot> ScanArticleLinks(SessionDriver& session) {
  const Panel& panel = *session.reader().CurrentPanel;
  const int32_t x = panel.textX + 32;
  const int32_t top = PanelTopHeight(panel);
  std::vector<LinkSpot> spots;
  for (int32_t y = top; y < top + panel.middle.height; y += SCAN_STEP) {
    session.MoveTo(x, y);
    const std::string path = ArticleOf(session.reader().PanelEngine.LinkTarget);
    if (!path.empty() && (spots.empty() || spots.back().path != path)) {
      spots.push_back({x, y, path});
    }
  }
  return spots;
}

// Page moves in every scroll style, lines, the wheel, both ends, link focus.
void ReadArticle(SessionDriver& session) {
  for (int32_t i = 0; i < SCROLL_STYLES; ++i) {
    session.Tap(i % 2 == 0 ? SDLK_PAGEDOWN : SDLK_PAGEUP);
    session.Tap(SDLK_F4);
  }
  session.Hold(SDLK_DOWN, 3);
  session.Hold(SDLK_UP, 2);
  session.Wheel(-1);
  session.Wheel(1);
  session.Tap(SDLK_END);
  session.Tap(SDLK_HOME);
  session.Tap(SDLK_TAB);
  session.Tap(SDLK_TAB);
  session.Tap(SDLK_BACKQUOTE);
}

void GoBack(SessionDriver& session) {
  session.Tap(SDLK_BACKSPACE);
  Check(session.reader().CurrentArticlePath == FIRST_ARTICLE, "back to the contents");
}

void ShowOpeningCover(SessionDriver& session) {
  const OpeningCoverState& cover = session.reader().OpeningCover;
  for (int32_t i = 0; i < COVER_FRAMES_MAX && !OpeningCoverDone(cover); ++i) session.Frame();
  Check(OpeningCoverDone(cover) != 0, "ending the opening cover");
  session.Frame();
  Check(session.reader().PanelEngine.PanelSwitchPending == 0, "dissolving into the first panel");
}

// The first quit request starts the closing, which raises the request that
// ends the reader once its scroller has run through.
void CloseReader(SessionDriver& session) {
  session.Tap(SDLK_ESCAPE);
  Check(session.running() && ClosingDone(session.reader().ClosingSequence) == 0,
        "starting the closing at the quit request");
  for (int32_t i = 0; i < CLOSING_FRAMES_MAX && session.Frame(); ++i) {
  }
  Check(!session.running(), "ending at the closing's own quit request");
}

void RunScript(SessionDriver& session) {
  ShowOpeningCover(session);
  for (auto [x, y] : {std::pair{320, 240}, {100, 300}, {520, 120}}) session.MoveTo(x, y);
  const std::vector<LinkSpot> links = ScanArticleLinks(session);
  Check(links.size() >= LINKS_FOLLOWED, "finding two article links");
  for (size_t i = 0; i < std::min(links.size(), LINKS_FOLLOWED); ++i) {
    const LinkSpot& link = links[i];
    session.Click(link.x, link.y);
    Check(session.reader().CurrentArticlePath == link.path, "following a clicked link");
    ReadArticle(session);
    GoBack(session);
  }

  // Left alone the pointer falls asleep and the keys select the links.
  for (int i = 0; i < 3; ++i) session.Frame();
  session.Tap(SDLK_TAB);
  const std::string focused = ArticleOf(session.reader().PanelEngine.LinkTarget);
  Check(!focused.empty(), "selecting a link with Tab");
  session.Tap(SDLK_RETURN);
  Check(session.reader().CurrentArticlePath == focused, "following the selected link with Enter");
  GoBack(session);

  const int32_t panel = session.reader().PanelEngine.CurrentPanelIndex;
  session.Tap(SDLK_F3);
  Check(session.reader().PanelEngine.CurrentPanelIndex != panel, "switching to the next panel");
  session.Tap(SDLK_F3);

  CloseReader(session);
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetFatalHandler(FailOnFatal);
  ScratchDir dir;
  std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs");
  int32_t frames = 0;
  {
    SessionDriver session;
    RunScript(session);
    frames = session.frames();
  }
  std::printf("scripted session: %d frames%s\n", frames, failed ? ", failed" : "");
  return failed ? 1 : 0;
}
