// The setup dialog's behaviour: what each event does to the controls and the
// settings they stand for.
#include "setup/setup_dialog.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "articles/article_lifecycle.h"
#include "base/integer_reader.h"
#include "resources/archive.h"
#include "resources/issue_name.h"

namespace {

SetupControlKind KindOf(int32_t id) { return SetupControl(id).kind; }

// Edits show their setting as an unsigned number, so -5 reads 4294967291.
std::string Unsigned(int32_t value) { return std::to_string(static_cast<uint32_t>(value)); }

// The whole dialog into the settings. An edit without a valid number is
// rewritten with the setting it stands for, so an emptied edit comes back.
void ReadBack(SetupDialog& dialog) {
  for (int32_t id = 0; id < SETUP_CONTROL_COUNT; ++id) {
    const SetupControlInfo& info = SetupControl(id);
    if (info.kind == SetupControlKind::Button) continue;
    SetupControlState& state = dialog.controls[id];
    int32_t& setting = dialog.settings.*info.field;
    if (info.kind == SetupControlKind::CheckBox) {
      setting = state.checked ? 1 : 0;
    } else if (info.kind == SetupControlKind::Radio) {
      if (state.checked) setting = info.value;
    } else if (std::optional<int64_t> number = ParseDecimal(state.digits, 0, UINT32_MAX)) {
      setting = static_cast<int32_t>(*number);
    } else {
      state.digits = Unsigned(setting);
    }
  }
}

void SelectRadio(SetupDialog& dialog, int32_t id) {
  for (int32_t other = 0; other < SETUP_CONTROL_COUNT; ++other) {
    if (KindOf(other) == SetupControlKind::Radio &&
        SetupControl(other).field == SetupControl(id).field) {
      dialog.controls[other].checked = other == id;
    }
  }
}

void PressButton(SetupDialog& dialog, int32_t id) {
  if (id == SETUP_OK) {
    dialog.accepted = true;
    dialog.closed = true;
  } else if (id == SETUP_SAVE) {
    dialog.saveRequested = true;
  } else if (id == SETUP_RESET_HISTORY) {
    std::remove(ResourceOwnFile(HISTORY_FILE).c_str());
  }
}

void Cancel(SetupDialog& dialog) {
  ReadBack(dialog);
  dialog.closed = true;
}

void Focus(SetupDialog& dialog, int32_t id) {
  dialog.focus = id;
  dialog.digitsSelected = KindOf(id) == SetupControlKind::NumberEdit;
}

void MoveFocus(SetupDialog& dialog, bool backwards) {
  int32_t step = backwards ? SETUP_CONTROL_COUNT - 1 : 1;
  Focus(dialog, (dialog.focus + step) % SETUP_CONTROL_COUNT);
}

// A keystroke in the focused edit; Backspace is '\b'.
void EditKey(SetupDialog& dialog, char key) {
  std::string& digits = dialog.controls[dialog.focus].digits;
  if (dialog.digitsSelected) digits.clear();
  dialog.digitsSelected = false;
  if (key == '\b') {
    if (!digits.empty()) digits.pop_back();
  } else if (digits.size() < SETUP_EDIT_MAX_DIGITS) {
    digits.push_back(key);
  }
  ReadBack(dialog);
}

std::optional<char> DigitOf(SDLKey key) {
  if (key >= SDLK_0 && key <= SDLK_9) return static_cast<char>('0' + (key - SDLK_0));
  if (key >= SDLK_KP0 && key <= SDLK_KP9) return static_cast<char>('0' + (key - SDLK_KP0));
  return std::nullopt;
}

void HandleKey(SetupDialog& dialog, const SDL_keysym& key) {
  bool inEdit = KindOf(dialog.focus) == SetupControlKind::NumberEdit;
  if (key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) {
    SetupDialogActivate(dialog, SETUP_OK);
  } else if (key.sym == SDLK_ESCAPE) {
    Cancel(dialog);
  } else if (key.sym == SDLK_TAB) {
    MoveFocus(dialog, (key.mod & KMOD_SHIFT) != 0);
  } else if (key.sym == SDLK_SPACE) {
    if (!inEdit) SetupDialogActivate(dialog, dialog.focus);
  } else if (inEdit && key.sym == SDLK_BACKSPACE) {
    EditKey(dialog, '\b');
  } else if (std::optional<char> digit = DigitOf(key.sym); inEdit && digit) {
    EditKey(dialog, *digit);
  }
}

bool Contains(const DialogRect& box, int32_t x, int32_t y) {
  return x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
}

void HandleClick(SetupDialog& dialog, int32_t x, int32_t y) {
  for (int32_t id = 0; id < SETUP_CONTROL_COUNT; ++id) {
    if (Contains(SetupControl(id).box, x, y)) {
      Focus(dialog, id);
      if (KindOf(id) != SetupControlKind::NumberEdit) SetupDialogActivate(dialog, id);
      return;
    }
  }
}

}  // namespace

SetupDialog SetupDialogOpen(const SetupConfig& settings) {
  SetupDialog dialog{};
  dialog.settings = settings;
  dialog.credits = SETUP_DIALOG_CREDITS;
  // The player is a choice of two: any non-zero value is BASS.
  dialog.settings.PlayerIsBass = settings.PlayerIsBass != 0 ? 1 : 0;
  for (int32_t id = 0; id < SETUP_CONTROL_COUNT; ++id) {
    const SetupControlInfo& info = SetupControl(id);
    SetupControlState& state = dialog.controls[id];
    if (info.kind == SetupControlKind::CheckBox) {
      state.checked = dialog.settings.*info.field != 0;
    } else if (info.kind == SetupControlKind::Radio) {
      state.checked = dialog.settings.*info.field == info.value;
    } else if (info.kind == SetupControlKind::NumberEdit) {
      state.digits = Unsigned(dialog.settings.*info.field);
    }
  }
  return dialog;
}

void SetupDialogActivate(SetupDialog& dialog, int32_t id) {
  SetupControlKind kind = KindOf(id);
  if (kind == SetupControlKind::CheckBox) {
    dialog.controls[id].checked = !dialog.controls[id].checked;
  } else if (kind == SetupControlKind::Radio) {
    SelectRadio(dialog, id);
  }
  ReadBack(dialog);
  if (kind == SetupControlKind::Button) PressButton(dialog, id);
}

void SetupDialogHandleEvent(SetupDialog& dialog, const SDL_Event& event) {
  if (event.type == SDL_QUIT) {
    Cancel(dialog);
  } else if (event.type == SDL_KEYDOWN) {
    HandleKey(dialog, event.key.keysym);
  } else if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
    HandleClick(dialog, event.button.x, event.button.y);
  }
}

std::string SetupDialogCredits() {
  const IssueName issue = ReadIssueName();
  return issue.name.empty() ? SETUP_DIALOG_CREDITS : issue.name;
}
