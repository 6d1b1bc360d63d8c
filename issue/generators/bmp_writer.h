// A BMP writer for the demo issue's window icon (and for tests): 24 bits per
// pixel, uncompressed, rows stored bottom-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole file for width x height pixels of 0x00RRGGBB, row by row from the top.
std::vector<uint8_t> EncodeBmp24(int width, int height, const std::vector<uint32_t>& pixels);

bool WriteBmp24(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
