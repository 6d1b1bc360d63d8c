// The music player on every page of the site: its script and style
// sheet, written once beside the pages, and the HTML each page carries.
// root is the page's way back to the site's root: "" or "../", and so on.
#pragma once

#include <optional>
#include <string>

#include "magtool/web/web_music.h"

// Writes player.js and player.css into site; the reason, naming the file,
// when one cannot be written.
std::optional<std::string> WriteWebPlayer(const SiteFolder& site);

// The page head's links to the script and the style sheet.
std::string PlayerHead(const std::string& root);

// <nav id="player">: previous, play or pause, next, silence, the tunes to
// choose (the music list, then the other tunes) and the title that
// plays. The script plays a tune for every element with a data-tune
// attribute ("+SILENCE" and "+PLIST" as the reader's links mean them).
std::string PlayerNav(const WebMusic& music, const std::string& root);
