// Text files read a line at a time: the one scanner behind every reader of
// configuration, panel, font, article, search and music files.
// ReadLine hands out what fgets with a buffer of maxChars + 1 would: at most
// maxChars bytes, ending after the first LF, which stays in the text. A longer
// line comes in several pieces; a last line without LF comes as it is. NUL
// bytes are kept (fgets callers stopped at them; a caller that does says so).
// ReadWholeLine hands out a whole line without its LF, of which only the
// first maxChars characters are kept. Both give nothing at the end of the file.
// ListName takes from a line the name that list and script files give there.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

std::optional<std::string> ReadLine(std::FILE* file, size_t maxChars);

struct WholeLine {
  std::string text;
  bool cut;  // characters past maxChars were dropped
};
std::optional<WholeLine> ReadWholeLine(std::FILE* file, size_t maxChars);

// The text before the line's first LF, CR, TAB or NUL.
std::string ListName(std::string_view line);

// A message on one line: each run of spaces, tabs and line breaks one space,
// none at either end (some messages start with a line break of their own).
std::string OneLine(std::string_view message);
