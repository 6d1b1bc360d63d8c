// Text files saved in UTF-8 turned into the engine's 8-bit text
// (Windows-1252), decided once per file: a file is UTF-8 when the whole of it
// is well-formed UTF-8, holds a multi-byte character and either every
// character of it is in Windows-1252 or it starts with a byte-order mark
// (which counts as a multi-byte character, and is dropped). Any other file is
// already 8-bit text and is read as it is, byte for byte: a Windows-1252 text
// may well be valid UTF-8 by chance ("Gru\xDF\x85", "Gruß…", reads as
// "Gru" and U+07C5), and an issue made before UTF-8 was read shows as it did. The way back, to
// UTF-8, is for the few places that hand the engine's text to the system (the window's caption).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Windows1252Text {
  std::string text;                    // each character Windows-1252 lacks as '?' (marked files)
  std::vector<int32_t> unmappedLines;  // 1-based lines (counted by LF) that hold such a '?'
};

// The file's text in Windows-1252; nothing when bytes are not UTF-8 text
// (malformed, overlong, a surrogate, or ASCII alone), or once a stop is
// requested (base/stop_request.h): a huge text then gives way at once.
std::optional<Windows1252Text> Windows1252FromUtf8(std::string_view bytes);

// For the editor, where a file's encoding goes astray: the first byte that is
// no UTF-8 in a file that holds well-formed multi-byte characters too (the
// file is then read as 8-bit text, each of those characters as two or three),
// else the first character Windows-1252 lacks in UTF-8 text (read byte for
// byte without a byte-order mark, as '?' with one).
struct EncodingSlip {
  int32_t line, column;  // 1-based; the column counts bytes
  char32_t point;        // the stray byte, or the character
  bool stray;            // a byte that is no UTF-8, rather than a character
};
std::optional<EncodingSlip> FindEncodingSlip(std::string_view bytes);

// The character a Windows-1252 byte stands for (an unused byte as its own code).
char32_t Windows1252Point(unsigned char byte);

// One character as UTF-8.
std::string Utf8FromPoint(char32_t point);

// The engine's 8-bit text as UTF-8.
std::string Utf8FromWindows1252(std::string_view text);
