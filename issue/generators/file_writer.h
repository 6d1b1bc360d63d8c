// Whole files for the generators: bytes or text written at once, with the
// outcome checked.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// false when the file cannot be written whole.
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteText(const std::string& path, std::string_view text);
