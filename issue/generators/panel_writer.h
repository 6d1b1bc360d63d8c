// Panels for generated issues: each panel's picture with its strips and
// caption, its button mask, the highlight pictures of its buttons and the
// frames of its animated buttons (".ani" lists), its AniChains, progress bar
// and title box, the panel file that describes them, and the panel list
// "configs/panels.txt". The demo issue and magtool new share the classic panel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generators/canvas.h"

struct Theme {
  uint32_t deep, light;     // strip gradient ends
  uint32_t page, pageEdge;  // middle area
  uint32_t accent, button, label;
};

struct ButtonSpec {
  std::u32string label;
  int command, x, y, w, h;
  bool animated;
};

enum class ChainKind { Emblem, Lamp, Equalizer };

struct ChainSpec {
  ChainKind kind;
  int x, y;
};

struct PanelSpec {
  std::string name;
  int topHeight, middleEnd, textX;
  // One page inside a double frame instead of strips; the cut into top,
  // middle and bottom only keeps the title box and buttons off the text.
  bool framed;
  Theme theme;
  std::vector<ButtonSpec> buttons;
  std::vector<ChainSpec> chains;
  int barX, barY, barWidth;  // barWidth: the visible part
  int titleX, titleY, titleW, titleH;
  std::u32string caption;  // in the top strip; a framed panel has none
};

// The navy panel with strips at the top and bottom and a button for every
// command but the tunes, its caption in the top strip.
PanelSpec ClassicPanel(const std::u32string& caption);

// Writes the panels under DATA_DIR/panels and their list; false when a file
// cannot be written.
bool WritePanels(const std::string& dataDir, TextPainter& text, const std::vector<PanelSpec>& panels);
