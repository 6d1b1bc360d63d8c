// Why the picture loader refuses a GIF or BMP, or reads a GIF wrongly, and
// what to do about it, for magtool check's warnings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Why the loader refuses the GIF file, a general word when no field tells.
std::string GifRefusal(const std::vector<uint8_t>& file);

// A GIF the loader reads wrongly though it takes it: one without a global
// colour table, where it reads one all the same.
std::optional<std::string> GifMisreading(const std::vector<uint8_t>& file);

// Why the loader refuses the BMP file, a general word when no field tells.
std::string BmpRefusal(const std::vector<uint8_t>& file);
