// A short reading session on the demo issue through the reader's own start-up,
// main loop and shutdown, for a leak checker: the covers, links by pointer and
// keys, every page key, the wheel, each scroll style, back and the next panel.
// The issue lies away from the current directory, which must stay untouched.
// The clock leaps 250 ms a read, so that each animation ends within a few
// frames. Exits 1 when a step fails or the engine stops with a fatal error.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "base/clock.h"
#include "base/fatal.h"
#include "base/setup_config.h"
#include "engine/covers.h"
#include "engine/main_loop.h"
#include "engine/mouse_wheel.h"
#include "engine/reader_state.h"
#include "setup/setup_dialog.h"
#include "resources/archive.h"
#include "resources/reader_places.h"
#include "support/scratch_dir.h"
#include "support/sdl_events.h"

namespace {

// The 7 s cover and the 13.5 s closing take a few dozen frames each.
constexpr int32_t COVER_FRAMES_MAX = 60, CLOSING_FRAMES_MAX = 120;

uint32_t now = 1000;
uint32_t LeapingClock() { return now += 250; }

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

// Main-loop frames fed with SDL events as a user sends them.
struct Session {
  Reader& reader;
  MainLoopState loop{};
  bool running = true;

  bool Frame() { return running = running && MainLoopStep(reader, loop); }
  void Send(SDL_Event event) { PushEvent(event), Frame(); }
  void Hold(SDLKey key, int32_t count) {
    PushEvent(KeyEvent(SDL_KEYDOWN, key));
    for (int32_t i = 0; i < count; ++i) Frame();
    PushEvent(KeyEvent(SDL_KEYUP, key));
    Frame();
  }
  void Tap(SDLKey key) { Hold(key, 1); }
};

// Page moves in every scroll style, lines, the wheel, both ends, link focus,
// then back to the contents.
void ReadArticle(Session& session) {
  for (int32_t i = 0; i < 5; ++i) {  // every scroll style
    session.Tap(i % 2 == 0 ? SDLK_PAGEDOWN : SDLK_PAGEUP);
    session.Tap(SDLK_F4);
  }
  session.Hold(SDLK_DOWN, 3);
  session.Hold(SDLK_UP, 2);
  for (int32_t clicks : {-1, 1}) {
    MouseWheelSet(clicks);
    session.Frame();
  }
  for (SDLKey key : {SDLK_END, SDLK_HOME, SDLK_TAB, SDLK_TAB, SDLK_BACKQUOTE, SDLK_BACKSPACE}) {
    session.Tap(key);
  }
}

// The engine's rules are the unit tests'; here the steps only have to be
// taken, so that the leak checker sees them, and the reader end by itself.
void RunScript(Session& session) {
  for (int32_t i = 0; i < COVER_FRAMES_MAX && !OpeningCoverDone(session.reader.OpeningCover); ++i) {
    session.Frame();
  }
  session.Tap(SDLK_F10);  // the contents page saved as text
  // "The making of Marrowin" on the contents page is clicked at (140, 275).
  for (auto [x, y] : {std::pair{320, 240}, {100, 300}, {140, 275}}) session.Send(MotionEvent(x, y));
  session.Send(ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT));
  session.Send(ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT));
  Check(session.reader.CurrentArticlePath == "DATA/arts/making.art", "following a clicked link");
  ReadArticle(session);
  // Left alone the pointer falls asleep and the keys select the links.
  for (int i = 0; i < 3; ++i) session.Frame();
  session.Tap(SDLK_TAB);
  session.Tap(SDLK_RETURN);
  Check(session.reader.CurrentArticlePath != FIRST_ARTICLE,
        "following the selected link with Enter");
  session.Tap(SDLK_BACKSPACE);
  session.Tap(SDLK_F3);
  session.Tap(SDLK_F3);
  // The first quit request starts the closing, which raises the request that
  // ends the reader once its scroller has run through.
  session.Tap(SDLK_ESCAPE);
  for (int32_t i = 0; i < CLOSING_FRAMES_MAX && session.Frame(); ++i) {
  }
  Check(!session.running, "ending at the closing's own quit request");
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  SetFatalHandler(FailOnFatal);
  const ScratchDir elsewhere;  // the current directory
  const ScratchDir issue(nullptr, ScratchDir::STAY);
  const ReaderPlaces places{issue.File(RESOURCE_ARCHIVE_FILE), issue.path()};
  std::filesystem::copy_file(DEMO_ARCHIVE, places.archive);
  // The defaults, but for the music quality.
  WriteFileBytes(issue.File("setup.cfg"),
                 LittleEndianWords({1, 1, 1, 2000, 2000, 1, 0, 3, 1, 0, 1, 0, 32}));
  // The steps of RunReader around its main loop.
  ResourceUsePlaces(places);
  SetEngineClock(LeapingClock);
  const auto reader = std::make_unique<Reader>();
  Reader& r = *reader;
  SetupDefaults(r.Setup);
  RunSetupDialog(r.Setup, false);
  Check(r.Setup.MsxQuality == 3, "reading the setup file beside the issue");
  VideoStart(r.Video, r.CursorImage, r.Setup);
  KeyStateCreate(r.Keys, r.KeyFlags, r.KeyTaps);
  EngineCommand(r, ENGINE_INIT);
  Session session{r};
  RunScript(session);
  // Still running: the fonts' unpacked members are there to be seen.
  Check(std::filesystem::is_empty(elsewhere.path()), "leaving the current directory alone");
  EngineCommand(r, ENGINE_SHUTDOWN);
  VideoStop(r.Video, r.CursorImage);
  ResourceCloseAll();
  SetEngineClock(nullptr);
  Check(FileExists(issue.File("history.tmp")) && FileExists(issue.File("fil_0.txt")),
        "writing the history and the saved text beside the issue");
  std::printf("scripted session %s\n", failed ? "failed" : "passed");
  return failed ? 1 : 0;
}
