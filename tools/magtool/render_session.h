// What render and sheet share: the issue, an archive or an unpacked folder,
// loaded as the reader's start-up loads it, in a workspace of its own, with
// the clock standing still so that the same page always gives the same
// picture. A fatal error of the reader ends the command at once with
// "magtool: MESSAGE" and status 1.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "articles/article.h"
#include "engine/panel_list.h"
#include "magtool/commands.h"
#include "pictures/picture.h"
#include "text/fixed_font.h"
#include "text/font_manager.h"

struct RenderResources {
  std::unique_ptr<FixedFont> fixedFont;
  std::unique_ptr<FontManager> fontManager;
  PanelArray panels;
  int32_t panelCount = 0;
  std::filesystem::path archive;  // read from: the given one, or the folder packed

  ArticleFonts Fonts() const { return {fontManager.get(), fixedFont.get()}; }
};

// Runs draw with the issue at source loaded, workspace prefix naming the
// command; draw's status, or 1 when the issue cannot be read (a folder's link
// that leads out of it included, unless packing follows links). A folder is
// packed with packing. Leaves no engine state behind.
int WithRenderedIssue(const std::string& source, const char* prefix,
                      const std::function<int(RenderResources&)>& draw,
                      const PackOptions& packing = {.store = true, .followLinks = true});

// Panel number of the loaded issue; null, with the reason on standard error,
// when there is none.
Panel* RenderPanel(RenderResources& loaded, int number);

// The reader's frame of article in panel (its buttons at rest): the middle
// area, then the chrome,
// a title wider than its box shown from its start (the reader's marquee
// begins with the title out of sight).
void DrawFrame(Panel& panel, Article& article, Picture& screen);
