#include "base/text_encoding.h"

#include <array>

#include "base/stop_request.h"

namespace {

// The characters at 0x80-0x9F; 0 where Windows-1252 leaves the byte unused.
constexpr std::array<char32_t, 32> HIGH_CONTROLS = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The byte for a character, or none when Windows-1252 lacks it.
std::optional<char> Windows1252Byte(char32_t point) {
  if (point < 0x80 || (point >= 0xA0 && point <= 0xFF)) return static_cast<char>(point);
  for (size_t i = 0; i < HIGH_CONTROLS.size(); ++i) {
    if (HIGH_CONTROLS[i] == point && point != 0) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

struct Decoded {
  char32_t point;
  size_t length;
};

// The character whose sequence starts at bytes[at]; nothing when the sequence
// is cut short, overlong, a surrogate or past U+10FFFF.
std::optional<Decoded> DecodeAt(std::string_view bytes, size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  if (lead < 0x80) return Decoded{lead, 1};
  size_t length = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (bytes.size() - at < length) return std::nullopt;
  char32_t point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = point << 6 | (next & 0x3F);
  }
  if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return std::nullopt;
  }
  return Decoded{point, length};
}

}  // namespace

std::optional<Windows1252Text> Windows1252FromUtf8(std::string_view bytes) {
  constexpr std::string_view BOM = "\xEF\xBB\xBF";
  const bool marked = bytes.starts_with(BOM);
  bool wide = marked;
  Windows1252Text out;
  out.text.reserve(bytes.size());
  int32_t line = 1;
  for (size_t at = marked ? BOM.size() : 0; at < bytes.size();) {
    const std::optional<Decoded> decoded = DecodeAt(bytes, at);
    if (!decoded || StopRequested()) return std::nullopt;
    at += decoded->length;
    wide = wide || decoded->length > 1;
    const std::optional<char> byte = Windows1252Byte(decoded->point);
    if (!byte && (out.unmappedLines.empty() || out.unmappedLines.back() != line)) {
      out.unmappedLines.push_back(line);
    }
    out.text.push_back(byte.value_or('?'));
    if (decoded->point == '\n') ++line;
  }
  if (!wide || (!marked && !out.unmappedLines.empty())) return std::nullopt;
  return out;
}

std::optional<EncodingSlip> FindEncodingSlip(std::string_view bytes) {
  std::optional<EncodingSlip> stray, unmapped;
  bool wide = false;
  int32_t line = 1;
  size_t lineStart = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  for (size_t at = lineStart; at < bytes.size();) {
    const std::optional<Decoded> decoded = DecodeAt(bytes, at);
    const EncodingSlip here{line, static_cast<int32_t>(at - lineStart + 1),
                            decoded ? decoded->point : static_cast<unsigned char>(bytes[at]),
                            !decoded};
    if (!decoded && !stray) stray = here;
    if (decoded && !Windows1252Byte(decoded->point) && !unmapped) unmapped = here;
    wide = wide || (decoded && decoded->length > 1);
    at += decoded ? decoded->length : 1;
    if (here.point == '\n') ++line, lineStart = at;
    if (StopRequested()) break;
  }
  if (stray) return wide ? stray : std::nullopt;
  return unmapped;
}

char32_t Windows1252Point(unsigned char byte) {
  const bool high = byte >= 0x80 && byte < 0xA0 && HIGH_CONTROLS[byte - 0x80] != 0;
  return high ? HIGH_CONTROLS[byte - 0x80] : byte;
}

std::string Utf8FromPoint(char32_t point) {
  std::string out;
  if (point < 0x80) {
    out.push_back(static_cast<char>(point));
  } else if (point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | point >> 6));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else if (point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | point >> 12));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | point >> 18));
    out.push_back(static_cast<char>(0x80 | (point >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
  }
  return out;
}

std::string Utf8FromWindows1252(std::string_view text) {
  std::string out;
  for (const char byte : text) {
    out += Utf8FromPoint(Windows1252Point(static_cast<unsigned char>(byte)));
  }
  return out;
}
