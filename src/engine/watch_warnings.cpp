#include "engine/watch_warnings.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "engine/video.h"
#include "pictures/picture.h"
#include "resources/archive.h"

namespace {

constexpr const char* WARNING_MARK = ": warning: ";
constexpr uint32_t BAND_COLOUR = 0xE8C020;
constexpr uint32_t BAND_TEXT_COLOUR = 0x000000;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// "DATA/arts/a.art:12: warning: ..." belongs to the article "data\arts\A.art".
bool Concerns(const std::string& line, const std::string& path) {
  if (line.size() <= path.size() || line[path.size()] != ':') return false;
  return ResourceSamePath(std::string_view(line).substr(0, path.size()), path);
}

}  // namespace

std::string FirstProblem(const std::string& report) {
  for (const std::string& line : LinesOf(report)) {
    const bool summary = line.starts_with("ok:") || line.starts_with("failed");
    if (line.find(WARNING_MARK) == std::string::npos && !summary) return line;
  }
  return {};
}

void TakeCheckReport(WatchWarnings& warnings, const std::string& report) {
  std::vector<std::string> lines = LinesOf(report);
  std::erase_if(lines,
                [](const std::string& l) { return l.find(WARNING_MARK) == std::string::npos; });
  if (lines == warnings.lines) return;
  warnings.lines = std::move(lines);
  for (const std::string& line : warnings.lines) std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string WarningText(WatchWarnings& warnings, const std::string& path, int32_t steps) {
  std::vector<const std::string*> own;
  for (const std::string& line : warnings.lines) {
    if (Concerns(line, path)) own.push_back(&line);
  }
  if (path != warnings.article) warnings.shown = 0;
  warnings.article = path;
  if (own.empty()) return {};
  warnings.shown = (warnings.shown + static_cast<size_t>(std::max(steps, 0))) % own.size();
  return *own[warnings.shown] + " (" + std::to_string(warnings.shown + 1) + " of " +
         std::to_string(own.size()) + ", " + NEXT_WARNING_KEY + ": next)";
}

std::vector<uint32_t> WarningBand(const std::string& text, const FixedFont& font) {
  const std::vector<std::string> lines = BandLines(text);
  const auto rows = static_cast<int32_t>(16 * lines.size() + 8);
  std::vector<uint32_t> band(static_cast<size_t>(rows) * SCREEN_WIDTH, BAND_COLOUR);
  Picture canvas{nullptr, band.data(), SCREEN_WIDTH, rows};
  for (size_t i = 0; i < lines.size(); ++i) {
    FixedDraw(font, lines[i].c_str(), 8, 16 + 16 * static_cast<int32_t>(i), BAND_TEXT_COLOUR,
              canvas);
  }
  return band;
}

std::vector<std::string> BandLines(const std::string& text) {
  constexpr size_t PER_LINE = SCREEN_WIDTH / 8 - 2;
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size() && lines.size() < 8) {
    size_t end = std::min(text.size(), start + PER_LINE);
    const size_t space = text.rfind(' ', end);
    if (end < text.size() && space != std::string::npos && space > start) end = space + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}
