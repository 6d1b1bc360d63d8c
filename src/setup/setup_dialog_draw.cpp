// The setup dialog in the look of a plain system dialog: grey face, sunken
// white boxes and fields, raised buttons, a dotted mark around the focus.
#include "pictures/draw.h"
#include "setup/setup_dialog.h"

namespace {

constexpr uint32_t FACE = 0xC0C0C0;
constexpr uint32_t LIGHT = 0xFFFFFF;
constexpr uint32_t SHADOW = 0x808080;
constexpr uint32_t INK = 0x000000;
constexpr uint32_t SELECTION = 0x000080;
constexpr int32_t MARK_SIZE = 12;

int32_t TextWidth(const char* text) { return FixedMeasure(text).width; }

void Fill(const DialogRect& r, uint32_t colour, Picture& picture) {
  FillRect(colour, r.x, r.y, r.width, r.height, picture, DRAW_OPAQUE, 1.0f);
}

// Light on the top and left, dark on the bottom and right: raised; swapped: sunken.
void Bevel(const DialogRect& r, uint32_t topLeft, uint32_t bottomRight, Picture& picture) {
  int32_t right = r.x + r.width - 1, bottom = r.y + r.height - 1;
  DrawLine(r.x, right, r.y, r.y, topLeft, picture);
  DrawLine(r.x, r.x, r.y, bottom, topLeft, picture);
  DrawLine(r.x, right, bottom, bottom, bottomRight, picture);
  DrawLine(right, right, r.y, bottom, bottomRight, picture);
}

void DottedFrame(const DialogRect& r, Picture& picture) {
  for (int32_t x = r.x; x < r.x + r.width; x += 2) {
    FillRect(INK, x, r.y, 1, 1, picture, DRAW_OPAQUE, 1.0f);
    FillRect(INK, x, r.y + r.height - 1, 1, 1, picture, DRAW_OPAQUE, 1.0f);
  }
  for (int32_t y = r.y; y < r.y + r.height; y += 2) {
    FillRect(INK, r.x, y, 1, 1, picture, DRAW_OPAQUE, 1.0f);
    FillRect(INK, r.x + r.width - 1, y, 1, 1, picture, DRAW_OPAQUE, 1.0f);
  }
}

void Label(const FixedFont& font, const SetupControlInfo& info, Picture& picture) {
  FixedDraw(font, info.text, info.box.x + SETUP_LABEL_GAP, info.box.y + 12, INK, picture);
}

void CheckBox(const FixedFont& font, const SetupControlInfo& info, bool checked, Picture& picture) {
  DialogRect mark{info.box.x, info.box.y + 2, MARK_SIZE, MARK_SIZE};
  Fill(mark, LIGHT, picture);
  Bevel(mark, SHADOW, LIGHT, picture);
  if (checked) {
    int32_t x = mark.x, y = mark.y;
    DrawLine(x + 3, x + 5, y + 5, y + 7, INK, picture);
    DrawLine(x + 5, x + 9, y + 7, y + 3, INK, picture);
    DrawLine(x + 3, x + 5, y + 6, y + 8, INK, picture);
    DrawLine(x + 5, x + 9, y + 8, y + 4, INK, picture);
  }
  Label(font, info, picture);
}

// An octagon for the round mark.
void RadioButton(const FixedFont& font, const SetupControlInfo& info, bool checked,
                 Picture& picture) {
  int32_t x = info.box.x, y = info.box.y + 2, e = MARK_SIZE - 1;
  FillRect(LIGHT, x + 1, y + 1, e - 1, e - 1, picture, DRAW_OPAQUE, 1.0f);
  DrawLine(x + 3, x + e - 3, y, y, SHADOW, picture);
  DrawLine(x, x, y + 3, y + e - 3, SHADOW, picture);
  DrawLine(x, x + 3, y + 3, y, SHADOW, picture);
  DrawLine(x, x + 3, y + e - 3, y + e, SHADOW, picture);
  DrawLine(x + 3, x + e - 3, y + e, y + e, SHADOW, picture);
  DrawLine(x + e, x + e, y + 3, y + e - 3, SHADOW, picture);
  DrawLine(x + e - 3, x + e, y, y + 3, SHADOW, picture);
  DrawLine(x + e - 3, x + e, y + e, y + e - 3, SHADOW, picture);
  if (checked) FillRect(INK, x + 4, y + 4, 4, 4, picture, DRAW_OPAQUE, 1.0f);
  Label(font, info, picture);
}

void NumberEdit(const FixedFont& font, const SetupControlInfo& info, const SetupControlState& state,
                bool selected, Picture& picture) {
  int32_t baseline = info.box.y + 15;
  FixedDraw(font, info.text, info.box.x, baseline, INK, picture);
  DialogRect field{SETUP_EDIT_FIELD_X, info.box.y, info.box.x + info.box.width - SETUP_EDIT_FIELD_X,
                   info.box.height};
  Fill(field, LIGHT, picture);
  Bevel(field, SHADOW, LIGHT, picture);
  uint32_t ink = INK;
  if (selected) {
    FillRect(SELECTION, field.x + 4, field.y + 2, TextWidth(state.digits.c_str()), 16, picture,
             DRAW_OPAQUE, 1.0f);
    ink = LIGHT;
  }
  FixedDraw(font, state.digits.c_str(), field.x + 4, baseline, ink, picture);
}

void Button(const FixedFont& font, const SetupControlInfo& info, bool isDefault, Picture& picture) {
  DialogRect face = info.box;
  if (isDefault) {
    Bevel(face, INK, INK, picture);
    face = {face.x + 1, face.y + 1, face.width - 2, face.height - 2};
  }
  Bevel(face, LIGHT, SHADOW, picture);
  int32_t x = info.box.x + (info.box.width - TextWidth(info.text)) / 2;
  FixedDraw(font, info.text, x, info.box.y + 4 + 12, INK, picture);
}

void Group(const FixedFont& font, const SetupGroupInfo& group, Picture& picture) {
  const DialogRect& f = group.frame;
  Bevel(f, SHADOW, SHADOW, picture);
  Bevel({f.x + 1, f.y + 1, f.width - 2, f.height - 2}, LIGHT, LIGHT, picture);
  FillRect(FACE, f.x + 6, f.y, TextWidth(group.caption) + 4, 2, picture, DRAW_OPAQUE, 1.0f);
  FixedDraw(font, group.caption, f.x + 8, f.y + 5, INK, picture);
}

void Control(const SetupDialog& dialog, int32_t id, const FixedFont& font, Picture& picture) {
  const SetupControlInfo& info = SetupControl(id);
  const SetupControlState& state = dialog.controls[id];
  bool focused = dialog.focus == id;
  switch (info.kind) {
    case SetupControlKind::CheckBox:
      CheckBox(font, info, state.checked, picture);
      break;
    case SetupControlKind::Radio:
      RadioButton(font, info, state.checked, picture);
      break;
    case SetupControlKind::Button:
      Button(font, info, id == SETUP_OK, picture);
      break;
    case SetupControlKind::NumberEdit:
      NumberEdit(font, info, state, focused && dialog.digitsSelected, picture);
      break;
  }
  const DialogRect& b = info.box;
  if (focused) DottedFrame({b.x - 2, b.y - 2, b.width + 4, b.height + 4}, picture);
}

}  // namespace

void SetupDialogDraw(const SetupDialog& dialog, const FixedFont& font, Picture& picture) {
  Fill({0, 0, SETUP_DIALOG_WIDTH, SETUP_DIALOG_HEIGHT}, FACE, picture);
  for (const SetupGroupInfo& group : SetupGroups()) Group(font, group, picture);
  for (int32_t id = 0; id < SETUP_CONTROL_COUNT; ++id) Control(dialog, id, font, picture);
  int32_t creditsX = (SETUP_DIALOG_WIDTH - TextWidth(dialog.credits.c_str())) / 2;
  FixedDraw(font, dialog.credits.c_str(), creditsX, SETUP_DIALOG_HEIGHT - 12, INK, picture);
}
