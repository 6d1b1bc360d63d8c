// The setup dialog "Engine setup:": a small window, drawn by the engine with
// the fixed font, in which every setting can be changed before the video mode
// is set. The dialog is a plain record changed by one event at a time, drawn
// into a picture, and run modally in its own SDL window.
#pragma once

#include <SDL.h>

#include <array>
#include <cstdint>
#include <string>

#include "base/setup_config.h"
#include "pictures/picture.h"
#include "text/fixed_font.h"

constexpr int32_t SETUP_DIALOG_WIDTH = 360;
constexpr int32_t SETUP_DIALOG_HEIGHT = 520;
constexpr const char* SETUP_DIALOG_CAPTION = "Engine setup:";
constexpr const char* SETUP_DIALOG_CREDITS = "Marrowin engine - the Marrowin team";
constexpr size_t SETUP_EDIT_MAX_DIGITS = 10;
constexpr int32_t SETUP_LABEL_GAP = 20;      // from a check box's or radio's left edge to its label
constexpr int32_t SETUP_EDIT_FIELD_X = 176;  // where each edit's field starts, right of its label

// In focus (Tab) order.
enum SetupControlId : int32_t {
  SETUP_SIMD,
  SETUP_MMX,
  SETUP_SOFT_CURSOR,
  SETUP_FULL_SCREEN,
  SETUP_DOUBLE_BUFFERED,
  SETUP_VRAM,
  SETUP_DIRECTX_BLIT,
  SETUP_MSX_PLAYER,
  SETUP_TUNE,
  SETUP_SLEEP_DELAY,
  SETUP_FADE_TIME,
  SETUP_FMOD,
  SETUP_BASS,
  SETUP_BEST,
  SETUP_NORMAL,
  SETUP_POOR,
  SETUP_BPP15,
  SETUP_BPP16,
  SETUP_BPP32,
  SETUP_OK,
  SETUP_SAVE,
  SETUP_RESET_HISTORY,
  SETUP_CONTROL_COUNT
};

enum class SetupControlKind { CheckBox, NumberEdit, Radio, Button };

struct DialogRect {
  int32_t x, y, width, height;
};

struct SetupControlInfo {
  SetupControlKind kind;
  const char* text;
  DialogRect box;               // box or field and label together: where a click lands
  int32_t SetupConfig::*field;  // the setting shown; null for buttons
  int32_t value;                // what a radio stands for; radios of one field form a group
};

const SetupControlInfo& SetupControl(int32_t id);

// A titled frame around a radio group.
struct SetupGroupInfo {
  const char* caption;
  DialogRect frame;
};
constexpr size_t SETUP_GROUP_COUNT = 3;
const std::array<SetupGroupInfo, SETUP_GROUP_COUNT>& SetupGroups();

struct SetupControlState {
  bool checked;        // check boxes and radios
  std::string digits;  // number edits
};

struct SetupDialog {
  SetupConfig settings;  // Bpp is the colour-depth choice
  std::string credits;   // the line at the foot: SETUP_DIALOG_CREDITS or the name
  std::array<SetupControlState, SETUP_CONTROL_COUNT> controls;
  int32_t focus;
  bool digitsSelected;  // the focused edit was just entered: the next digit replaces its text
  bool closed;
  bool accepted;       // closed through OK
  bool saveRequested;  // Save was pressed at some time
};

// The dialog showing settings, focus on the first control.
SetupDialog SetupDialogOpen(const SetupConfig& settings);

// The credits line for this issue: its name (see resources/issue_name.h),
// else SETUP_DIALOG_CREDITS.
std::string SetupDialogCredits();

// What a click or Space does to a control: toggles a check box, selects a
// radio, presses a button; then the dialog is read back into the settings.
void SetupDialogActivate(SetupDialog& dialog, int32_t id);

// Mouse clicks, Tab / Shift+Tab, Space, Enter (OK), Escape and SDL_QUIT
// (Cancel), digits and Backspace in the focused edit.
void SetupDialogHandleEvent(SetupDialog& dialog, const SDL_Event& event);

// Draws the whole dialog into picture (SETUP_DIALOG_WIDTH x SETUP_DIALOG_HEIGHT).
void SetupDialogDraw(const SetupDialog& dialog, const FixedFont& font, Picture& picture);

// Opens the dialog's window, with the credits line, and handles
// events until it closes; SDL's video
// is shut down again before returning. Fatal when SDL cannot open the window.
void SetupDialogRunModal(SetupDialog& dialog);

// A setup dialog that ends other than through OK ends the process with this
// status (the parent sees 666 & 0xFF, 154).
constexpr int SETUP_CANCELLED_STATUS = 666;

// The setup step of start-up: reads the setup file, shows the setup dialog
// when show is true (otherwise it is as if OK were pressed at once), clamps
// the delays, writes the file when Save was pressed, and ends the process
// with SETUP_CANCELLED_STATUS when the dialog was not accepted (with 0 when a
// shutdown signal ended it).
void RunSetupDialog(SetupConfig& config, bool show);
