// The panel list "DATA/configs/panels.txt" and the panel files it names: one
// to seven panels, built once at start-up in the list's order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "widgets/panel.h"

constexpr int PANEL_LIST_SIZE = 8;
constexpr const char* PANELS_PATH = "DATA/configs/panels.txt";

// The panels in list order, the first ones filled.
using PanelArray = std::array<std::unique_ptr<Panel>, PANEL_LIST_SIZE>;

// Reads the list and every panel file and builds the panels into list (its
// old panels destroyed first); returns how many there are. Every fault is
// fatal.
int32_t ParsePanels(PanelArray& list);

// PanelDestroy on every panel in list order; the list is empty afterwards.
void PanelListDestroy(PanelArray& list);
