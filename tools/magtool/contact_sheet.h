// A contact sheet: reader frames shrunk to thumbnails (a quarter of their
// size unless asked otherwise, each box of pixels averaged) and set in rows on a dark ground, each
// labelled under it in the fixed font. It takes at most SHEET_MAX_FRAMES frames and counts the ones
// it turns away; its columns grow with the square root of the count beyond SHEET_COLUMNS, so that a
// large issue stays a square-ish picture of a few thousand pixels a side.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pictures/picture.h"
#include "text/fixed_font.h"

constexpr int32_t SHEET_COLUMNS = 8;
constexpr size_t SHEET_MAX_FRAMES = 576;

struct ContactSheet {
  int32_t width = 160, height = 120;  // each thumbnail's: at most the screen's
  std::vector<Picture> thumbnails;
  std::vector<std::string> labels;
  size_t dropped = 0;
};

// screen at least as large as a thumbnail; the label is cut to the
// thumbnail's width.
void SheetAdd(ContactSheet& sheet, const Picture& screen, const std::string& label);

// The whole sheet; at least one frame must have been added.
Picture SheetCompose(const ContactSheet& sheet, const FixedFont& font);
