// The web engine: the reader built for browsers. A site that carries it
// holds its files and the archive as "data.rs" beside them, and its
// pages lead into it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "magtool/web/site.h"

// The folder that holds every file of the engine: DISKMAG_WEB_ENGINE when
// set, else the build tree's web-engine/ or the installed share/diskmag/web/
// as seen from the running magtool. Empty when none holds them all.
std::filesystem::path FindWebEngine();

// Whether name, from the site's root, is one of the engine's files.
bool EngineFileName(std::string_view name);

// The engine's files from folder, and the archive as "data.rs".
void WriteWebEngine(Site& site, const std::filesystem::path& folder,
                    const std::filesystem::path& archive);

// "read.html?start=PATH" as seen from page: the engine opening the article
// at path, its text URL-encoded.
std::string EngineLink(std::string_view page, std::string_view articlePath);
