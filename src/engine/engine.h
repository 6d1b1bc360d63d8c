// The engine's single entry and the input records it reads.
//
// EngineCommand(ENGINE_INIT) creates the reader's working images and loads
// what every frame needs, ENGINE_FRAME draws and presents one frame,
// ENGINE_SHUTDOWN releases everything INIT made. The main loop is its only
// caller.
#pragma once

#include <cstdint>
#include <string>

#include "articles/article.h"

enum EngineCommands { ENGINE_INIT = 1, ENGINE_FRAME = 2, ENGINE_SHUTDOWN = 3 };

enum MouseButtons { MOUSE_LEFT = 1, MOUSE_RIGHT = 2 };

// Input as the frame sees it; the frame clears a button bit once it has acted
// on the click, so a click is consumed once.
struct MouseState {
  int32_t x;  // last motion position, screen pixels
  int32_t y;
  int32_t buttons;  // MouseButtons held
};

struct Reader;

// The reader's two faces, lent to the articles the engine loads.
ArticleFonts EngineFonts(const Reader& reader);

// The parts made from the issue's files: the faces, the panels (the first one
// current), the article at articlePath laid out in it, the plasma and the
// search index. A watching reader frees and makes them again after a change.
void LoadIssueParts(Reader& reader, const std::string& articlePath);
void FreeIssueParts(Reader& reader);

// Any command other than the three does nothing.
void EngineCommand(Reader& reader, int command);
