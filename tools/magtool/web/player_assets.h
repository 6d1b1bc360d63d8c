// The web player's script and style sheet, written into every issue's site.
#pragma once

extern const char* const PLAYER_SCRIPT;  // player.js
extern const char* const PLAYER_STYLE;   // player.css
