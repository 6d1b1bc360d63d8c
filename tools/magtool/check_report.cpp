#include "magtool/check_report.h"

#include "magtool/check_lines.h"

void CheckReport::Add(const CheckSite& site, const std::string& message) {
  std::string line = site.path;
  if (site.line > 0) line += ":" + std::to_string(site.line);
  line += ": " + message;
  if (seen_.insert(line).second) lines_.push_back(line);
}

void CheckReport::Add(const CheckSite& site, const StepFailure& failure,
                      const std::string& member) {
  const std::string own = MemberKey(site.path);
  for (const std::string& named : {failure.member, member}) {
    if (named.empty() || MemberKey(named) == own) continue;
    const char* absent = MemberExists(named) ? "" : ": not in the issue";
    Add(site, failure.message + " (" + named + absent + ")");
    return;
  }
  Add(site, failure.message);
}

bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step,
             const std::string& member) {
  const std::optional<StepFailure> failure = RunStep(step);
  if (failure) report.Add(site, *failure, member);
  return !failure;
}
