// Text files saved in UTF-8 turned into the engine's 8-bit text
// (Windows-1252), decided once per file: a file is UTF-8 when the whole of it
// is well-formed UTF-8 and holds a multi-byte character (a leading byte-order
// mark counts, and is dropped). Any other file is already 8-bit text and is
// read as it is, byte for byte. The way back, to UTF-8, is for the few
// places that hand the engine's text to the system (the window's caption).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Windows1252Text {
  std::string text;                    // each character Windows-1252 lacks as '?'
  std::vector<int32_t> unmappedLines;  // 1-based lines (counted by LF) that hold such a '?'
};

// The file's text in Windows-1252; nothing when bytes are not UTF-8 text
// (malformed, overlong, a surrogate, or ASCII alone), or once a stop is
// requested (base/stop_request.h): a huge text then gives way at once.
std::optional<Windows1252Text> Windows1252FromUtf8(std::string_view bytes);

// The character a Windows-1252 byte stands for (an unused byte as its own code).
char32_t Windows1252Point(unsigned char byte);

// The engine's 8-bit text as UTF-8.
std::string Utf8FromWindows1252(std::string_view text);
