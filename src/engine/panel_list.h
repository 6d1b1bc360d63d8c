// The panel list "DATA/configs/panels.txt" and the panel files it names: one
// to seven panels, built once at start-up in the list's order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "widgets/panel.h"

constexpr int PANEL_LIST_SIZE = 8;
constexpr const char* PANELS_PATH = "DATA/configs/panels.txt";

// Owned here from ParsePanels to PanelListDestroy.
extern std::array<std::unique_ptr<Panel>, PANEL_LIST_SIZE> PanelList;
extern int32_t PanelCount;
extern Panel* CurrentPanel;  // the panel shown; PanelList[0] after parsing

// Reads the list and every panel file and builds the panels; every fault is
// fatal. The first panel becomes the current one.
void ParsePanels();

// PanelDestroy on every panel in list order; the list is empty afterwards.
void PanelListDestroy();
