// The steps of a normal panel-engine frame, in the files that hold them.
#pragma once

#include <cstdint>

// panel_input.cpp
void MouseSleep();
int32_t PerformPendingAction();  // returns the focus rule for the redraw
void ReadInput();

// panel_commands.cpp
void BackCommand();
void ArticleCommands();  // help, main menu, index
void ArticleLinks();
void SearchStep();
void ButtonCommands();
void KeyCommands();
void OtherLinks();
void NextPanelCommand();

// picture_view.cpp
void PictureViewFrame();
