// Reading issue members as the reader's line readers do, with line numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MemberLine {
  std::string text;  // as read, line end included
  int32_t line;      // 1-based line of the file the text starts on
};

// The member at path read in pieces of up to maxChars characters, each ending
// at a line end (as fgets with a buffer of maxChars + 1 hands them out; 0
// reads whole lines); nothing when it cannot be opened. Fatal errors of the
// archive pass through.
std::optional<std::vector<MemberLine>> ReadMemberLines(const char* path, size_t maxChars);

// A list entry: text up to its first CR, TAB, LF or NUL, at most 1023 characters.
std::string ListEntry(const std::string& text);

// One key for every spelling of a member's path: the archive matches names
// without regard to ASCII case, backslash and '/' alike.
std::string MemberKey(const std::string& path);

// Whether path names a member of the archive (or a file the reader would
// find); false when the archive fails.
bool MemberExists(const std::string& path);

// The member's whole lines; none when it cannot be read.
std::vector<MemberLine> SourceLines(const std::string& path);

// The 1-based line on which needle first occurs; 0 when none does.
int32_t FindLine(const std::vector<MemberLine>& lines, const std::string& needle);
