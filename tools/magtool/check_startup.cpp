#include "magtool/check_startup.h"

#include "base/fatal.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "base/setup_config.h"
#include "engine/covers.h"
#include "engine/keys.h"
#include "engine/video.h"
#include "magtool/check_lines.h"
#include "pictures/image_loader.h"
#include "resources/issue_name.h"
#include "resources/resource_file.h"
#include "setup/setup_file.h"

namespace {

constexpr const char* FONT_LIST_PATH = "DATA/configs/fonts.txt";
constexpr const char* FIXED_FONT_PATH = "DATA/fonts/fixed.fnt";
constexpr const char* PLASMA_PATH = "DATA/panels/plasma.gif";

// The fonts list line by line, as LoadFontList adds them.
void CheckFontList(CheckReport& report, std::unique_ptr<FontManager>& manager) {
  if (!Attempt(report, {FONT_LIST_PATH}, [&] { manager = FontManagerCreate(); })) return;
  std::optional<std::vector<MemberLine>> lines;
  if (!Attempt(report, {FONT_LIST_PATH},
               [&] { lines = ReadMemberLines(FONT_LIST_PATH, PATH_MAX_CHARS); })) {
    return;
  }
  if (!lines) {
    report.Add({FONT_LIST_PATH}, "Cannot open configs/fonts.txt file !");
    return;
  }
  for (const MemberLine& line : *lines) {
    const std::string font = ListName(line.text);
    Attempt(report, {FONT_LIST_PATH, line.line},
            [&] { FontManagerAddFont(*manager, font.c_str()); });
  }
}

void CheckPicture(CheckReport& report, const char* path, const char* wrongSize) {
  const bool loaded = Attempt(report, {path}, [&] {
    Picture picture{};
    ImageLoader(path, picture);
    if (wrongSize != nullptr &&
        (picture.width != SCREEN_WIDTH || picture.height != SCREEN_HEIGHT)) {
      FatalError(wrongSize);
    }
  });
  if (loaded) ++report.pictures;
}

// The plasma is a GIF read as indices, whatever its name says.
void CheckPlasma(CheckReport& report) {
  const bool loaded = Attempt(report, {PLASMA_PATH}, [] {
    IndexedPicture plasma{};
    const bool loaded = LoadGif(ResourceFile(PLASMA_PATH).name(), plasma, nullptr);
    if (!loaded) FatalError("Pix loader error ![GIF]");
    if (plasma.width != SCREEN_WIDTH || plasma.height != SCREEN_HEIGHT) {
      FatalError("Wrong plasma file !");
    }
  });
  if (loaded) ++report.pictures;
}

}  // namespace

void CheckStartup(CheckReport& report, CheckFonts& fonts) {
  Attempt(report, {SETUP_FILE_PATH}, [] {
    SetupConfig config;
    SetupDefaults(config);
    ReadSetupFile(config);
  });
  Attempt(report, {KEYDEFS_PATH}, [] {
    KeyTable keys;
    KeyState flags;
    KeyTapLatch taps;
    KeyStateCreate(keys, flags, taps);
  });
  Attempt(report, {FIXED_FONT_PATH}, [&] { fonts.fixed = FixedFontLoad(FIXED_FONT_PATH); });
  CheckFontList(report, fonts.manager);
  CheckPicture(report, "DATA/panels/cursor.png", nullptr);
  CheckPlasma(report);
  // The reader leaves out an icon it cannot load; only the archive can fail it.
  Attempt(report, {"DATA/panels/icon.bmp"},
          [] { const ResourceFile icon("DATA/panels/icon.bmp"); });
  CheckPicture(report, OPENING_COVER_PATH, "Wrong cover sizes !");
  CheckPicture(report, CLOSING_COVER_PATH, "Wrong cover sizes !");
  CheckPicture(report, END_SCROLL_PATH, nullptr);
  // The reader leaves a file it cannot use aside; only the editor learns why.
  IssueName issue;
  if (Attempt(report, {ISSUE_FILE_PATH}, [&] { issue = ReadIssueName(); }) && issue.problem) {
    report.Add({ISSUE_FILE_PATH, 1}, issue.problem);
  }
}
