// The steps of a normal panel-engine frame, in the files that hold them; each
// works on the reader's state.
#pragma once

#include <cstdint>

struct Reader;

// panel_input.cpp
void MouseSleep(Reader& reader);
int32_t PerformPendingAction(Reader& reader);  // returns the focus rule for the redraw
void ReadInput(Reader& reader);

// panel_commands.cpp
void BackCommand(Reader& reader);
void ArticleCommands(Reader& reader);  // help, main menu, index
void ArticleLinks(Reader& reader);
void SearchStep(Reader& reader);
void ButtonCommands(Reader& reader);
void KeyCommands(Reader& reader);
void OtherLinks(Reader& reader);
void NextPanelCommand(Reader& reader);

// picture_view.cpp
void PictureViewFrame(Reader& reader);
