// The panel engine: the per-frame logic of the reader. For now a frame shows
// the current article in the current panel with its links hovered, the
// panel's chrome under the mouse, and the exit button raises the quit
// request; scrolling, navigation and the other commands follow.
#pragma once

#include <memory>
#include <string>

#include "articles/article.h"

// Button commands that the hit test hands out.
enum PanelCommands { COMMAND_QUIT = 1 };

constexpr const char* FIRST_ARTICLE = "DATA/arts/index.art";

// Owned by the panel engine from start-up to shutdown.
extern std::unique_ptr<Article> CurrentArticle;
extern std::string CurrentArticlePath;  // at most 1023 characters

// One frame into BackBuffer, presented.
void PanelEngineFrame();
