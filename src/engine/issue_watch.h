// Live preview for editors (--watch): the issue's changes are looked for a
// few times a second (change_notice.h), and a saved change is shown at once.
// The parts made from the issue are made again, and the article shown is
// reopened in the same panel at the same place (the contents when it is
// gone); the article stack and the music carry on. A fault in the issue
// does not end the reader: the last good page stays on the screen under the
// fault's line, until a later save loads again. The line shown is the place
// and the reader's message at first, then the checker's "path:line: message"
// once it has looked. After each good load the checker looks too, and the
// warnings of the article shown stand on a yellow band (watch_warnings.h).
// Faults before the watch starts stay fatal.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/article_stack.h"
#include "engine/watch_warnings.h"
#include "platform/change_notice.h"
#include "platform/checker_run.h"
#include "text/fixed_font.h"

constexpr uint32_t WATCH_POLL_MS = 250;  // a change settles for one look before it loads

struct IssueWatch {
  bool enabled = false;
  std::unique_ptr<ChangeNotice> notice;  // the kernel's, else looking at every file
  uint64_t loadedStamp = 0;              // the issue as last loaded
  uint64_t seenStamp = 0;                // the issue at the last look
  uint32_t nextLookTicks = 0;
  int32_t reloads = 0;             // loads after the first, good or not
  std::string fault;               // the fault shown; empty while the issue is good
  std::vector<uint32_t> lastGood;  // the page shown when the fault came
  FixedFont font{};                // the last good fixed font, to write the fault with
  ArticlePlace place;              // where the reader was when the fault came
  int32_t panelIndex = 0;
  std::string checkerProgram;  // magtool, to give the fault's line; empty when absent
  CheckerRun checker;
  WatchWarnings warnings;  // check's, of the issue as last loaded
};

struct Reader;

// Starts watching the issue as loaded now; faults in its frames and loads
// from here on are caught.
void WatchStart(Reader& reader);

// One frame of a watching reader: a look at the issue when due, a load after
// a settled change, then the panel engine's frame, or the fault's page.
void WatchFrame(Reader& reader);

// Stops watching.
void WatchStop(Reader& reader);
