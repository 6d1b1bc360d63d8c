#include "support/reader_fixture.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "base/clock.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/sdl_events.h"
#include "support/startup_files.h"

namespace {

uint32_t clockNow = 0;
uint32_t clockStep = 0;

uint32_t FixtureClock() { return clockNow += clockStep; }

// Slots 0 to 15; a short key file leaves the rest unbound.
const SDLKey SLOT_KEYS[] = {SDLK_ESCAPE,   SDLK_RETURN, SDLK_SPACE,  SDLK_UP,
                            SDLK_PAGEDOWN, SDLK_DOWN,   SDLK_PAGEUP, SDLK_TAB,
                            SDLK_BACKSPACE, SDLK_HOME,  SDLK_END,    SDLK_F1,
                            SDLK_F2,       SDLK_F3,     SDLK_F4,     SDLK_F5};

void WriteKeyFile(const ReaderPlaces& places) {
  std::vector<int32_t> codes;
  for (SDLKey key : SLOT_KEYS) codes.push_back(ScanCodeOf(key));
  WriteFileBytes(InReaderFolder(places, "keydefs.cfg"), LittleEndianWords(codes));
}

// Lines of many lengths, so that pages of alike characters tell apart.
std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += std::string(1 + i * 37 % 76, 'p') + "\n";
  return text;
}

std::string Link(const std::string& target, const std::string& text) {
  return "<#LINK:" + target + "#>" + text + "<#ENDL#>";
}

void WriteArticles(const ReaderPlaces& places) {
  const auto in = [&](const std::string& name) { return InReaderFolder(places, name); };
  WriteFileText(in("index.art"),
                 "<#SCROLL:1:1:0:0#>\n" + Lines(3) + Link("ART:DATA/arts/two.art", "Two") +
                       "\n" + Link("ART:DATA/arts/pages.art", "Pages") + "\n<#JLIMIT:120#><#ABREAK_ON#>" +
                       Link("ART:DATA/arts/plain.art", "a link long enough to wrap") +
                       "\n<#ABREAK_OFF#>" + Link("ART:DATA/arts/links.art", "Links") + "\n" + Lines(80));
  WriteFileText(in("two.art"), "<#COLUMNS#><#SCROLL:1:0:1:0#>\n" + Lines(2) +
                                  Link("ART:DATA/arts/plain.art", "Plain") + "\n" + Lines(120));
  WriteFileText(in("plain.art"), Link("ART:DATA/arts/pages.art", "Pages") + "\n");
  WriteFileText(in("pages.art"), "<#SCROLL:0:1:0:0#>\n" + Lines(110));
  std::string links;
  for (const char* target : {"PAN:1", "PAN:-3", "PAN:-4", "PAN:5", "PAN:abc",
                             "PAN:4294967297", "PIX:DATA/pix/pic.png", "PIX:DATA/pix/missing.png",
                             "ART:DATA/arts/missing.art"}) {
    links += Link(target, target) + "\n";
  }
  links += Link(LONG_TARGET_PREFIX + std::string(4200, 'x'), "Long") + "\n";
  WriteFileText(in("links.art"), links);
  WritePng(in("pic.png"), 100, 80, std::vector<uint32_t>(100 * 80, PICTURE_COLOUR));
}

}  // namespace

void ReaderFixture::SetUp() {
  for (auto write : {WriteStartupFiles, WriteKeyFile, WriteArticles}) write(places);
  WritePanels(places, {PANEL_COLOURS, PANEL_COLOURS + 3}, TEXT_X, BACK_BUTTON.y - 20, 40, 17);
  UseSteppingClock(10);
  SetupDefaults(reader.Setup);
  reader.Setup.FullScreen = 0;
  reader.Setup.ScrollFadeTime = 100;
  reader.Setup.MouseSleepDelay = 100000000;  // awake unless a test lets it sleep
  reader.StartArticle = "DATA/arts/index.art";  // as --start gives it: no opening cover
  StartEngine(reader, places);
  Step();
}

void ReaderFixture::TearDown() {
  StopEngine(reader);
  SetEngineClock(nullptr);
}

void ReaderFixture::UseSteppingClock(uint32_t step) {
  clockStep = step;
  SetEngineClock(FixtureClock);
}

void ReaderFixture::UseStillClock(uint32_t now) {
  clockNow = now;
  UseSteppingClock(0);
}

uint32_t ReaderFixture::Now() { return clockNow; }

void ReaderFixture::Step() { ASSERT_TRUE(MainLoopStep(reader, loop)); }

void ReaderFixture::Key(int slot) {
  PushEvent(KeyEvent(SDL_KEYDOWN, SLOT_KEYS[slot]));
  Step();
  PushEvent(KeyEvent(SDL_KEYUP, SLOT_KEYS[slot]));
}

void ReaderFixture::MoveTo(ScreenPoint at) { PushEvent(MotionEvent(at.x, at.y)); }

void ReaderFixture::Click(ScreenPoint at, Uint8 button) {
  MoveTo(at);
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONDOWN, button));
  Step();
  PushEvent(ButtonEvent(SDL_MOUSEBUTTONUP, button));
}

const LinkEntry& ReaderFixture::FindLink(const std::string& prefix) const {
  const auto& links = reader.CurrentArticle->linkTargets;
  const auto link = std::find_if(links.begin(), links.end(), [&](const LinkEntry& entry) {
    return entry.text.compare(0, prefix.size(), prefix) == 0;
  });
  if (link == links.end()) throw std::runtime_error("no link " + prefix);
  return *link;
}

ScreenPoint ReaderFixture::LinkPoint(const std::string& prefix) const {
  const Article& article = *reader.CurrentArticle;
  const int32_t id = FindLink(prefix).id;
  const auto spot = std::find_if(article.hotspots.begin(), article.hotspots.end(),
                                 [&](const Hotspot& hotspot) { return hotspot.id == id; });
  if (spot == article.hotspots.end()) throw std::runtime_error("no hotspot for " + prefix);
  return {TEXT_X + spot->x + spot->width / 2, spot->y - article.scrollY + spot->height / 2};
}

Picture CopyOf(const Picture& picture) {
  Picture copy;
  PictureAlloc(copy, picture.width, picture.height);
  std::copy_n(picture.pixels, picture.width * picture.height, copy.pixels);
  return copy;
}
