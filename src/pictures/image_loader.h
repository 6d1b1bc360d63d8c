// The image loader: PNG, JPEG, BMP and GIF pictures named by archive path,
// loaded into 32-bit pictures.
//
// Each decoder takes a plain file name (as the archive hands it out), reports
// failure by its result and leaves the picture empty then; ImageLoader turns a
// failure into the fatal "Pix loader error ![PNG]" (or JPG, BMP, GIF).
#pragma once

#include <cstdint>

#include "pictures/picture.h"

constexpr int GIF_PALETTE_SIZE = 768;  // 256 entries of red, green, blue

// Loads the picture at path, chosen by the handed-out name's last four
// characters (".png", ".jpg", ".bmp", ".gif", any case). Every failure is fatal.
void ImageLoader(const char* path, Picture& picture);

// PNG through libpng: grey and palette images expanded to RGB, alpha dropped,
// 16-bit channels reduced to 8, grey below 8 bits scaled up.
bool LoadPng(const char* name, Picture& picture);

// Baseline JPEG through libjpeg, grey or RGB. Bit 0 of every pixel is set, so
// that no JPEG pixel is the transparent key.
bool LoadJpeg(const char* name, Picture& picture);

// Windows BMP, bottom-up or top-down: uncompressed 1, 4, 8, 24 or 32 bits per
// pixel, or run-length coded 4 or 8 bits.
bool LoadBmp(const char* name, Picture& picture);

// The first image of a GIF: header, screen descriptor, global colour table,
// extension blocks (skipped), one image descriptor with its optional local
// colour table; interlaced rows are put in their places. palette, when not
// null, receives 768 bytes: the image's colour table, zero beyond its end.
// False on failure, with picture left empty.
bool LoadGif(const char* name, IndexedPicture& picture, uint8_t* palette);
