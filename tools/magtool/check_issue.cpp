#include "magtool/check_issue.h"

#include "base/clock.h"
#include "magtool/check_articles.h"
#include "magtool/check_members.h"
#include "magtool/check_panels.h"
#include "magtool/check_startup.h"
#include "resources/archive.h"
#include "resources/resource_file.h"

namespace {

uint32_t StillClock() { return 1000; }

// The engine state a check sets up, given back however it ends.
class CheckSession {
 public:
  explicit CheckSession(const ReaderPlaces& places) {
    ResourceUsePlaces(places);
    SetEngineClock(StillClock);
  }
  ~CheckSession() {
    if (fonts.manager) {
      // The faces give their files back, which needs the archive open; a
      // failed step closes it, and a name it does not hold reopens it.
      RunStep([] { const ResourceFile any(RESOURCE_ARCHIVE_FILE); });
      RunStep([this] { FontManagerDestroy(fonts.manager); });
    }
    fonts.fixed.reset();
    ResourceCloseAll();
    ResourceUsePlaces({});
    SetEngineClock(nullptr);
  }
  CheckSession(const CheckSession&) = delete;
  CheckSession& operator=(const CheckSession&) = delete;

  CheckFonts fonts;
};

}  // namespace

CheckReport CheckIssue(const ReaderPlaces& places) {
  CheckSession session(places);
  CheckReport report;
  // Every part runs its own steps; a fault past them is reported, not fatal.
  const std::optional<StepFailure> stray = RunStep([&] {
    const std::vector<std::string> members = ArchiveMembers(places.archive);
    CheckMembers(report, places.archive);
    CheckStartup(report, session.fonts);
    const std::vector<std::unique_ptr<Panel>> panels = CheckPanels(report);
    const std::vector<ListedArticle> listed = CheckSearch(report);
    ModuleCheck modules;
    CheckMusic(report, modules);
    CheckArticles(report, panels, modules, listed, session.fonts.Lend(), members);
    // A walk that stopped at a problem has not asked for everything the issue uses.
    if (report.Problems() == 0) CheckUnused(report, members);
  });
  if (stray) report.Add({stray->member.empty() ? places.archive : stray->member}, *stray);
  return report;
}
