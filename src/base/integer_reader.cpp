#include "base/integer_reader.h"

#include <cstddef>

namespace {

constexpr uint64_t TOO_BIG = uint64_t{1} << 33;  // past every 32-bit magnitude

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

struct Magnitude {
  uint64_t value = 0;  // capped at TOO_BIG, so an endless run of digits cannot wrap it
  bool negative = false;
  size_t end = 0;  // 0 when no digit was read
};

// base 0 chooses as "%i" does; base 16 takes an optional 0x as "%X" does.
Magnitude ReadMagnitude(std::string_view text, int base) {
  Magnitude m;
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) m.negative = text[at++] == '-';
  // A 0x prefix counts only when a hex digit follows it; else the 0 is the number.
  const bool prefixed = at + 2 < text.size() && text[at] == '0' &&
                        (text[at + 1] == 'x' || text[at + 1] == 'X') &&
                        DigitValue(text[at + 2]) < 16;
  if (base == 0) base = prefixed ? 16 : at < text.size() && text[at] == '0' ? 8 : 10;
  if (prefixed && base == 16) at += 2;
  const size_t first = at;
  for (; at < text.size() && DigitValue(text[at]) < base; ++at) {
    m.value = m.value * static_cast<uint64_t>(base) + static_cast<uint64_t>(DigitValue(text[at]));
    if (m.value > TOO_BIG) m.value = TOO_BIG;
  }
  if (at > first) m.end = at;
  return m;
}

}  // namespace

std::optional<int32_t> TakeInt(std::string_view& text) {
  const Magnitude m = ReadMagnitude(text, 0);
  const uint64_t limit = m.negative ? uint64_t{INT32_MAX} + 1 : uint64_t{INT32_MAX};
  if (m.end == 0 || m.value > limit) return std::nullopt;
  text.remove_prefix(m.end);
  const int64_t value = static_cast<int64_t>(m.value);
  return static_cast<int32_t>(m.negative ? -value : value);
}

bool IntTooBig(std::string_view text) { return ReadMagnitude(text, 0).end != 0 && !ParseInt(text); }

std::optional<uint32_t> TakeHex(std::string_view& text) {
  const Magnitude m = ReadMagnitude(text, 16);
  if (m.end == 0 || m.value > UINT32_MAX) return std::nullopt;
  text.remove_prefix(m.end);
  const auto value = static_cast<uint32_t>(m.value);
  return m.negative ? 0u - value : value;
}

std::optional<int64_t> ParseDecimal(std::string_view text, int64_t min, int64_t max) {
  const Magnitude m = ReadMagnitude(text, 10);
  if (text.empty() || IsBlank(text[0]) || m.end != text.size() || m.value >= TOO_BIG) {
    return std::nullopt;
  }
  const int64_t value = m.negative ? -static_cast<int64_t>(m.value) : static_cast<int64_t>(m.value);
  if (value < min || value > max) return std::nullopt;
  return value;
}
