// The fonts list "DATA/configs/fonts.txt": one font line per text line.
#pragma once

#include "text/font_manager.h"

// Adds every listed font to manager; a missing list is fatal.
void LoadFontList(FontManager& manager);
