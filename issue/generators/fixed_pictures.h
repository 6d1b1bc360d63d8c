// The fixed pictures every generated issue needs, under DATA_DIR/panels: the
// window icon (icon.bmp, a gold ring on deep blue), the mouse cursor
// (cursor.png) and the plasma dissolve mask (plasma.gif, an 8-bit 640x480 GIF
// whose smooth field uses all 256 levels).
#pragma once

#include <string>

// false when one cannot be written.
bool WriteFixedPictures(const std::string& dataDir);
