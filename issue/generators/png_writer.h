// A PNG writer for the demo issue's generated pictures (and for tests that
// need PNG files): 8-bit RGB, no alpha.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels of 0x00RRGGBB, row by row from the top.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);
