// The grammar of a panel file, shared by the reader and the issue checker:
// one value a line, the first fifteen lines (up to the button mask) read
// before any picture is loaded; the button count comes after the panel is made. A line source
// offers Name(), Number() (fatal "Parse error !" when the line is no number) and Line(), the
// 1-based line last read.
#pragma once

#include <cstdint>
#include <string>

constexpr const char* PANEL_PARSE_ERROR = "Parse error !";

// Everything up to the button mask, with the lines its parts stand on.
struct PanelHeader {
  std::string picture;
  int32_t pictureLine = 0, topHeight = 0, middleEnd = 0, stripLine = 0, textX = 0;
  bool hasBar = false;
  std::string barPicture;
  int32_t barLine = 0, barX = 0, barY = 0;
  bool hasTitleBox = false;
  int32_t titleLine = 0, titleX = 0, titleY = 0, titleWidth = 0, titleHeight = 0;
  bool hasButtons = false;
  std::string mask;
  int32_t maskLine = 0;
};

template <typename Lines>
PanelHeader ReadPanelHeader(Lines& in) {
  PanelHeader h;
  h.picture = in.Name();
  h.pictureLine = in.Line();
  h.topHeight = in.Number();
  h.middleEnd = in.Number();
  h.stripLine = in.Line();
  h.textX = in.Number();
  h.hasBar = in.Number() != 0;
  if (h.hasBar) {
    h.barPicture = in.Name();
    h.barLine = in.Line();
    h.barX = in.Number();
    h.barY = in.Number();
  }
  h.hasTitleBox = in.Number() != 0;
  if (h.hasTitleBox) {
    h.titleLine = in.Line() + 1;
    h.titleX = in.Number();
    h.titleY = in.Number();
    h.titleWidth = in.Number();
    h.titleHeight = in.Number();
  }
  h.hasButtons = in.Number() != 0;
  if (h.hasButtons) {
    h.mask = in.Name();
    h.maskLine = in.Line();
  }
  return h;
}
