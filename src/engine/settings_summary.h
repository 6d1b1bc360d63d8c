// The settings summary printed at start-up, after the setup step.
#pragma once

#include <string>

#include "base/setup_config.h"

// The summary's exact text for config, item by item.
std::string SettingsSummary(const SetupConfig& config);

// Prints the summary to standard output and flushes it.
void PrintSettingsSummary(const SetupConfig& config);
