// Where the engine is reading, so that a fatal error can be named at its
// place: the error itself is raised deep inside a reader and carries only its
// fixed message, so the readers that go through a member line by line mark
// the member and the line here as they go. Process-wide for that reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FatalPlace {
  std::string member;            // the member being read; empty when none is marked
  int32_t line = 0;              // its 1-based line; 0 when not known
  std::string culprit;           // what it names or holds that could not be read
  bool culpritIsMember = false;  // a path asked for, not a noted text
};

// Marks member as being read while it lives. Marks nest: the newest one still
// alive is the place. The member it asks for meanwhile and cannot read is the
// place's culprit. A mark on no member (an empty one) makes the member asked
// for meanwhile the place.
class ReadingMark {
 public:
  explicit ReadingMark(std::string member);
  ~ReadingMark();
  ReadingMark(const ReadingMark&) = delete;
  ReadingMark& operator=(const ReadingMark&) = delete;
  void SetLine(int32_t line);

 private:
  size_t depth_;
};

// Names the culprit at the newest mark, for the fatal error that follows: the
// value a tag could not read, for example.
void NoteCulprit(std::string culprit);

// The newest mark's place, with its culprit: the one noted, else the newest
// member asked for since the mark that failed or is still open. Without a
// mark, the last member asked for when it failed or is still open, no line.
FatalPlace FatalPlaceNow();

// Every mark's place, the oldest first; only the newest has a culprit.
std::vector<FatalPlace> ReadingPlaces();

// The line of the newest place on member (in any spelling); 0 when none.
int32_t LineIn(const std::vector<FatalPlace>& places, const std::string& member);

// "member:line: message (culprit)", as magtool check reports a problem; the
// line left out when unknown, the culprit when there is none or it is the
// member itself; a culprit path the issue lacks says so. Empty when the place
// names no member.
std::string PlaceLine(const FatalPlace& place, const std::string& message);
