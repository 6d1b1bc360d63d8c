// Integers read from text as the "%i" and "%X" conversions read them: leading
// blanks skipped, an optional sign, then digits ("%i": 0x... hexadecimal, 0...
// octal, else decimal; "%X": hexadecimal, with or without 0x). Text after the
// number is left alone. A number that does not fit 32 bits is refused like no
// number, never clamped or wrapped; the caller reports it with its own message.
// "%X" negates a minus-signed value modulo 2^32, as the conversion does.
// The Take forms also move text past what they read; on refusal text stays.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> TakeInt(std::string_view& text);
std::optional<uint32_t> TakeHex(std::string_view& text);

inline std::optional<int32_t> ParseInt(std::string_view text) { return TakeInt(text); }
inline std::optional<uint32_t> ParseHex(std::string_view text) { return TakeHex(text); }

// True when text starts with a "%i" number that ParseInt refuses for its size,
// for a caller whose message tells a number out of range from none.
bool IntTooBig(std::string_view text);

// A text that is wholly one decimal number from min to max, as a command-line
// value or typed digits must be: no blanks, nothing after it; else nothing.
std::optional<int64_t> ParseDecimal(std::string_view text, int64_t min, int64_t max);
