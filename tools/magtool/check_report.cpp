#include "magtool/check_report.h"

#include "engine/fatal.h"
#include "resources/archive.h"

namespace {

// Some messages start with a line break of their own; a report line is one line.
std::string OneLine(const std::string& message) {
  std::string line;
  for (char c : message) {
    const bool space = c == '\n' || c == '\r' || c == '\t' || c == ' ';
    if (!space) {
      line.push_back(c);
    } else if (!line.empty() && line.back() != ' ') {
      line.push_back(' ');
    }
  }
  if (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

void CheckReport::Add(const CheckSite& site, const std::string& message) {
  std::string line = site.path;
  if (site.line > 0) line += ":" + std::to_string(site.line);
  line += ": " + message;
  if (seen_.insert(line).second) lines_.push_back(line);
}

std::optional<std::string> RunStep(const std::function<void()>& step) {
  try {
    step();
    return std::nullopt;
  } catch (const CheckFailure& failure) {
    // The failed step may leave members open: no later step needs them.
    ResourceCloseAll();
    return OneLine(failure.what());
  }
}

bool Attempt(CheckReport& report, const CheckSite& site, const std::function<void()>& step) {
  const std::optional<std::string> message = RunStep(step);
  if (message) report.Add(site, *message);
  return !message;
}
