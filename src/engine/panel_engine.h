// The panel engine: the per-frame logic of the reader. For now a frame shows
// the current panel's middle area and chrome under the mouse, and its exit
// button raises the quit request; articles, scrolling and the other commands
// follow.
#pragma once

// Button commands that the hit test hands out.
enum PanelCommands { COMMAND_QUIT = 1 };

// One frame into BackBuffer, presented.
void PanelEngineFrame();
