// Where the setup dialog's controls lie, and what each one shows.
#include "setup/setup_dialog.h"

namespace {

using Kind = SetupControlKind;
using S = SetupConfig;

constexpr int32_t LEFT = 16;
constexpr int32_t ROW = 16;  // a check box or radio line
constexpr int32_t EDIT_HEIGHT = 20;
constexpr int32_t EDIT_FIELD_END = 272;
constexpr int32_t BUTTON_TOP = 464;
constexpr int32_t BUTTON_HEIGHT = 24;

constexpr int32_t TextWidth(const char* text) {
  int32_t length = 0;
  while (text[length] != '\0') ++length;
  return 8 * length;
}

constexpr SetupControlInfo Check(const char* text, int32_t y, int32_t S::*field) {
  return {Kind::CheckBox, text, {LEFT, y, SETUP_LABEL_GAP + TextWidth(text), ROW}, field, 0};
}

constexpr SetupControlInfo Edit(const char* text, int32_t y, int32_t S::*field) {
  return {Kind::NumberEdit, text, {LEFT, y, EDIT_FIELD_END - LEFT, EDIT_HEIGHT}, field, 0};
}

constexpr SetupControlInfo Radio(const char* text, int32_t x, int32_t y, int32_t S::*field,
                                 int32_t value) {
  return {Kind::Radio, text, {x, y, SETUP_LABEL_GAP + TextWidth(text), ROW}, field, value};
}

constexpr SetupControlInfo Button(const char* text, int32_t x, int32_t width) {
  return {Kind::Button, text, {x, BUTTON_TOP, width, BUTTON_HEIGHT}, nullptr, 0};
}

constexpr SetupControlInfo CONTROLS[SETUP_CONTROL_COUNT] = {
    Check("Use SIMD (p3 only)", 16, &S::UseSimd),
    Check("Use MMX", 40, &S::UseMmx),
    Check("Soft cursor", 64, &S::SoftCursor),
    Check("FullScreen", 88, &S::FullScreen),
    Check("DoubleBuffered", 112, &S::DoubleBuffered),
    Check("Surfaces in VRAM", 136, &S::HwSurfaces),
    Check("DirectX blit", 160, &S::DirectXBlit),
    Check("Use MSX player", 184, &S::UseMsxPlayer),
    Edit("Starting tune:", 212, &S::StartingTune),
    Edit("Mouse sleep delay:", 240, &S::MouseSleepDelay),
    Edit("Scroll / fade time:", 268, &S::ScrollFadeTime),
    Radio("FMOD", 28, 322, &S::PlayerIsBass, 0),
    Radio("BASS", 120, 322, &S::PlayerIsBass, 1),
    Radio("Best", 28, 374, &S::MsxQuality, 1),
    Radio("Normal", 120, 374, &S::MsxQuality, 2),
    Radio("Poor", 228, 374, &S::MsxQuality, 3),
    Radio("15", 28, 426, &S::Bpp, 15),
    Radio("16", 120, 426, &S::Bpp, 16),
    Radio("32", 212, 426, &S::Bpp, 32),
    Button("OK", LEFT, 80),
    Button("Save", 104, 80),
    Button("Reset history", 192, 152),
};

}  // namespace

const SetupControlInfo& SetupControl(int32_t id) { return CONTROLS[id]; }

const std::array<SetupGroupInfo, SETUP_GROUP_COUNT>& SetupGroups() {
  static constexpr std::array<SetupGroupInfo, SETUP_GROUP_COUNT> groups = {{
      {"Player:", {LEFT, 304, 328, 44}},
      {"MSX Quality:", {LEFT, 356, 328, 44}},
      {"BPP:", {LEFT, 408, 328, 44}},
  }};
  return groups;
}
