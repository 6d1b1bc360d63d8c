#include "engine/issue_watch.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>

#include "articles/article_view.h"
#include "base/clock.h"
#include "base/fatal_guard.h"
#include "base/line_reader.h"
#include "engine/engine.h"
#include "engine/panel_engine.h"
#include "engine/present.h"
#include "engine/reader_state.h"
#include "engine/watch_warnings.h"
#include "pictures/draw.h"
#include "resources/archive.h"
#include "resources/reading_place.h"

namespace {

struct WatchFault {
  std::string message;
  FatalPlace place;
};

// Runs step with faults thrown and caught: the message where it struck, as
// magtool check names it, or alone when no member was being read; empty when
// the step ran through. Anywhere else a fault ends the reader as always.
std::string Guarded(const std::function<void()>& step) {
  const std::optional<WatchFault> caught = RunGuarded<WatchFault>(
      [&] {
        const ReadingMark stepMark("");
        step();
      },
      [](const char* message) {
        return WatchFault{OneLine(message), FatalPlaceNow()};
      });
  if (!caught) return {};
  const std::string placed = PlaceLine(caught->place, caught->message);
  return placed.empty() ? caught->message : placed;
}

ArticlePlace PlaceNow(const Reader& reader) {
  const PanelEngineState& engine = reader.PanelEngine;
  ArticlePlace place{0, 0, engine.LinkFocus, engine.OffPage, reader.CurrentArticlePath};
  if (reader.CurrentArticle) {
    const ArticleScroll scroll = ArticleGetScroll(*reader.CurrentArticle);
    place.scrollY = scroll.scrollY;
    place.rightScrollY = scroll.rightScrollY;
  }
  return place;
}

// The loaded article into the panel it was shown in, at its place when it
// is the same article (on its last page when it has become shorter).
void PlaceAgain(Reader& reader, const ArticlePlace& place, int32_t panelIndex) {
  const bool kept = panelIndex < reader.PanelCount && reader.PanelList[panelIndex];
  PanelEngineState& engine = reader.PanelEngine;
  engine.CurrentPanelIndex = kept ? panelIndex : 0;
  engine.SearchActive = 0;
  reader.CurrentPanel = reader.PanelList[engine.CurrentPanelIndex].get();
  Article& article = *reader.CurrentArticle;
  ArticleSetView(article, reader.CurrentPanel->oldPage);
  if (reader.CurrentArticlePath != place.path) return;
  ArticleSetScroll(article, place.scrollY, place.rightScrollY);
  if (!article.pageStarts.empty() && place.scrollY > article.pageStarts.back()) {
    ArticleEnd(article);
  }
  engine.LinkFocus = place.linkFocus;
  engine.OffPage = place.offPage;
}

void ShowFault(const std::string& fault) {
  std::printf("%s\n", fault.c_str());
  std::fflush(stdout);
}

// magtool check on the issue as it is now, in the background.
void StartChecker(IssueWatch& watch) {
  const ReaderPlaces& places = ResourcePlacesInUse();
  const std::string& issue = places.issueFolder.empty() ? places.archive : places.issueFolder;
  if (!watch.checkerProgram.empty()) watch.checker.Start(watch.checkerProgram, issue);
}

void Freeze(Reader& reader, const std::string& fault, const ArticlePlace& place, int32_t panel) {
  IssueWatch& watch = reader.Watch;
  if (watch.fault.empty()) watch.lastGood = reader.Presentation.LastFrame;
  watch.fault = fault;
  watch.place = place;
  watch.panelIndex = panel;
  ShowFault(fault);
  StartChecker(watch);
  SetPresentBand(reader.Presentation, {});
  ForceWholePresent(reader.Presentation);
}

void Reload(Reader& reader, uint64_t stamp) {
  IssueWatch& watch = reader.Watch;
  watch.loadedStamp = stamp;
  ++watch.reloads;
  watch.checker.Stop();
  const bool good = watch.fault.empty();
  const ArticlePlace place = good ? PlaceNow(reader) : watch.place;
  const int32_t panel = good ? reader.PanelEngine.CurrentPanelIndex : watch.panelIndex;
  const std::string fault = Guarded([&] {
    FreeIssueParts(reader);
    ResourceReopen();
    LoadIssueParts(reader, ResourceHas(place.path.c_str()) ? place.path : FIRST_ARTICLE);
    PlaceAgain(reader, place, panel);
  });
  if (!fault.empty()) return Freeze(reader, fault, place, panel);
  watch.fault.clear();
  watch.font = *reader.EngineFixedFont;
  watch.warnings.bandText.clear();  // drawn again in the font loaded now
  StartChecker(watch);
  ForceWholePresent(reader.Presentation);
}

// The warnings of the article shown, once the checker has looked; the key
// steps through them.
void WarningsStep(Reader& reader) {
  IssueWatch& watch = reader.Watch;
  if (const std::optional<std::string> report = watch.checker.Poll()) {
    TakeCheckReport(watch.warnings, *report);
  }
  const auto steps = static_cast<int32_t>(
      std::count_if(reader.KeyPresses.begin(), reader.KeyPresses.end(),
                    [](const KeyPress& press) { return press.key == SDLK_F12; }));
  const bool reading = OpeningCoverDone(reader.OpeningCover) && ClosingDone(reader.ClosingSequence);
  const std::string& path = reading ? reader.CurrentArticlePath : std::string();
  const std::string text = WarningText(watch.warnings, path, steps);
  // Drawn again only for a new text, or where the band was taken away meanwhile.
  const bool shown = text.empty() == reader.Presentation.Band.empty();
  if (text == watch.warnings.bandText && shown) return;
  watch.warnings.bandText = text;
  SetPresentBand(reader.Presentation,
                 text.empty() ? std::vector<uint32_t>() : WarningBand(text, watch.font));
}

// From now on every look takes the status of every file.
void PollFromNow(IssueWatch& watch, const std::string& why) {
  std::fprintf(stderr, "diskmag: --watch looks at every file now: %s\n", why.c_str());
  watch.notice = PollingChangeNotice();
}

uint64_t IssueStamp(IssueWatch& watch) {
  std::string why;
  if (const std::optional<uint64_t> stamp = watch.notice->Stamp(why)) return *stamp;
  PollFromNow(watch, why);
  return watch.notice->Stamp(why).value_or(0);
}

// A look at the issue when one is due; a change is loaded once it has held
// still for one look, so that a file being written is not read half done.
void Look(Reader& reader) {
  IssueWatch& watch = reader.Watch;
  const uint32_t now = EngineTicks();
  if (static_cast<int32_t>(now - watch.nextLookTicks) < 0) return;
  watch.nextLookTicks = now + WATCH_POLL_MS;
  const uint64_t stamp = IssueStamp(watch);
  const bool settled = stamp == watch.seenStamp;
  watch.seenStamp = stamp;
  if (settled && stamp != watch.loadedStamp) Reload(reader, stamp);
}

// The fault's line, wrapped, on a dark red band at the foot of the last good page.
void FaultFrame(Reader& reader) {
  IssueWatch& watch = reader.Watch;
  const std::optional<std::string> report = watch.checker.Poll();
  const std::string checked = report ? FirstProblem(*report) : std::string();
  if (!checked.empty() && checked != watch.fault) {
    watch.fault = checked;
    ShowFault(watch.fault);
  }
  if (!reader.Presentation.BackBufferLocked && !LockBackBuffer(reader)) return;
  Picture& screen = reader.BackBuffer;
  const size_t pixels = static_cast<size_t>(SCREEN_WIDTH) * SCREEN_HEIGHT;
  if (watch.lastGood.size() == pixels) {
    std::copy(watch.lastGood.begin(), watch.lastGood.end(), screen.pixels);
  }
  const std::vector<std::string> lines = BandLines(watch.fault + "  (save again to reload)");
  const int32_t top = SCREEN_HEIGHT - 8 - 16 * static_cast<int32_t>(lines.size());
  FillRect(0x600000, 0, top - 4, SCREEN_WIDTH, SCREEN_HEIGHT - top + 4, screen, DRAW_OPAQUE, 1.0f);
  for (size_t i = 0; i < lines.size(); ++i) {
    FixedDraw(watch.font, lines[i].c_str(), 8, top + 12 + 16 * static_cast<int32_t>(i), 0xFFFFFF,
              screen);
  }
  Present(reader);
}

}  // namespace

void WatchStart(Reader& reader) {
  IssueWatch& watch = reader.Watch;
  watch.enabled = true;
  std::string why;
  watch.notice = KernelChangeNotice(ResourcePlacesInUse(), why);
  if (!watch.notice) PollFromNow(watch, why);
  watch.loadedStamp = watch.seenStamp = IssueStamp(watch);
  watch.nextLookTicks = EngineTicks() + WATCH_POLL_MS;
  watch.font = *reader.EngineFixedFont;
  watch.checkerProgram = CheckerBesideReader();
  StartChecker(watch);
}

void WatchFrame(Reader& reader) {
  IssueWatch& watch = reader.Watch;
  Look(reader);
  const bool closing = !ClosingDone(reader.ClosingSequence);
  if (!watch.fault.empty() && !closing) return FaultFrame(reader);
  WarningsStep(reader);
  const std::string fault = Guarded([&] { PanelEngineFrame(reader); });
  if (!fault.empty()) Freeze(reader, fault, PlaceNow(reader), reader.PanelEngine.CurrentPanelIndex);
}

void WatchStop(Reader& reader) {
  if (!reader.Watch.enabled) return;
  reader.Watch.enabled = false;
  reader.Watch.notice.reset();
}
