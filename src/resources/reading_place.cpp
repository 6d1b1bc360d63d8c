#include "resources/reading_place.h"

#include <vector>

#include "resources/archive.h"

namespace {

struct Mark {
  std::string member;
  int32_t line = 0;
  uint64_t since = 0;  // the archive's request count when the mark began
  std::string culprit;
};

std::vector<Mark>& Marks() {
  static std::vector<Mark> marks;
  return marks;
}

}  // namespace

ReadingMark::ReadingMark(std::string member) : depth_(Marks().size()) {
  Marks().push_back({std::move(member), 0, ResourceRequestCount(), {}});
}

ReadingMark::~ReadingMark() { Marks().resize(depth_); }

void ReadingMark::SetLine(int32_t line) { Marks()[depth_].line = line; }

void NoteCulprit(std::string culprit) {
  if (!Marks().empty()) Marks().back().culprit = std::move(culprit);
}

FatalPlace FatalPlaceNow() {
  if (Marks().empty()) {
    const uint64_t count = ResourceRequestCount();
    return {ResourceNewestPath(count == 0 ? 0 : count - 1), 0, {}, false};
  }
  const Mark& mark = Marks().back();
  if (mark.member.empty()) return {ResourceNewestPath(mark.since), 0, {}, false};
  if (!mark.culprit.empty()) return {mark.member, mark.line, mark.culprit, false};
  std::string asked = ResourceNewestPath(mark.since);
  if (ResourceSamePath(asked, mark.member)) asked.clear();
  return {mark.member, mark.line, std::move(asked), true};
}

std::vector<FatalPlace> ReadingPlaces() {
  std::vector<FatalPlace> places;
  for (const Mark& mark : Marks()) places.push_back({mark.member, mark.line, {}, false});
  if (!places.empty()) places.back() = FatalPlaceNow();
  return places;
}

int32_t LineIn(const std::vector<FatalPlace>& places, const std::string& member) {
  for (auto it = places.rbegin(); it != places.rend(); ++it) {
    if (ResourceSamePath(it->member, member)) return it->line;
  }
  return 0;
}

std::string PlaceLine(const FatalPlace& place, const std::string& message) {
  if (place.member.empty()) return {};
  std::string line = place.member;
  if (place.line > 0) line += ":" + std::to_string(place.line);
  line += ": " + message;
  if (place.culprit.empty()) return line;
  // Asking an archive that failed to open would only fail again.
  const bool absent =
      place.culpritIsMember && ResourceArchiveIsOpen() && !ResourceHas(place.culprit.c_str());
  return line + " (" + place.culprit + (absent ? ": not in the issue" : "") + ")";
}
