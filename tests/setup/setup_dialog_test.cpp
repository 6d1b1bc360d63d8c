#include "setup/setup_dialog.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

#include "articles/article_lifecycle.h"
#include "setup/setup_file.h"
#include "resources/archive.h"
#include "resources/issue_name.h"
#include "support/child_process.h"
#include "support/issue_dir.h"
#include "support/sdl_events.h"

namespace {

// A cancelled dialog exits with 666, but a process exit status has 8 bits:
// the parent sees 666 & 0xFF.
constexpr int CANCELLED_AS_SEEN = 666 & 0xFF;

// SIMD, MMX, full, sleep, fade, dbuf, softcursor, quality, msx, tune, hw, dx, bpp
const std::vector<int32_t> kFile = {1, 1, 1, 50, 300, 1, 0, 2, 1, -5, 1, 0, 16};

SDL_Event Key(SDLKey sym, SDLMod mod = KMOD_NONE) { return KeyEvent(SDL_KEYDOWN, sym, mod); }

// On the control's box, or near the right end of its label.
SDL_Event Click(int32_t id, bool onLabel = false) {
  const DialogRect& box = SetupControl(id).box;
  return ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT,
                     onLabel ? box.x + box.width - 3 : box.x + 3, box.y + box.height / 2);
}

class SetupDialogTest : public IssueDirTest {
 protected:
  void SetUp() override {
    WriteFileBytes("fixed.fnt", std::vector<uint8_t>(4096, 0x18));
    SetupDefaults(config);
  }

  SetupDialog OpenOnFile() {
    ReadSetupFile(config);
    return SetupDialogOpen(config);
  }

  static void Send(SetupDialog& dialog, const std::vector<SDL_Event>& events) {
    for (const SDL_Event& event : events) SetupDialogHandleEvent(dialog, event);
  }

  SetupConfig config;
};

}  // namespace

TEST_F(SetupDialogTest, FileValuesAreCheckedShownAndClamped) {
  WriteFileBytes("setup.cfg", LittleEndianWords(kFile));
  SetupDialog dialog = OpenOnFile();
  EXPECT_EQ(dialog.controls[SETUP_TUNE].digits, "4294967291");
  EXPECT_EQ(dialog.controls[SETUP_SLEEP_DELAY].digits, "50");
  EXPECT_TRUE(dialog.controls[SETUP_NORMAL].checked);
  EXPECT_TRUE(dialog.controls[SETUP_BPP16].checked);

  SetupDefaults(config);
  RunSetupDialog(config, false);  // --skip-setup: as if OK were pressed at once
  EXPECT_EQ(config.MouseSleepDelay, 100);
  EXPECT_EQ(ReadFileBytes("setup.cfg"), LittleEndianWords(kFile)) << "written without Save";
}

TEST_F(SetupDialogTest, MouseTogglesChecksSelectsRadiosAndPressesButtons) {
  SetupDialog dialog = OpenOnFile();
  Send(dialog, {Click(SETUP_SIMD), Click(SETUP_SOFT_CURSOR, true), Click(SETUP_BPP16, true),
                Click(SETUP_POOR), Click(SETUP_FMOD)});
  EXPECT_EQ(dialog.settings.UseSimd, 0);
  EXPECT_EQ(dialog.settings.SoftCursor, 1);
  EXPECT_EQ(dialog.settings.Bpp, 16);
  EXPECT_FALSE(dialog.controls[SETUP_BPP32].checked);
  EXPECT_EQ(dialog.settings.MsxQuality, 3);
  EXPECT_EQ(dialog.settings.PlayerIsBass, 0);
  EXPECT_EQ(dialog.focus, SETUP_FMOD);

  Send(dialog, {Click(SETUP_SAVE)});
  EXPECT_TRUE(dialog.saveRequested);
  EXPECT_FALSE(dialog.closed);
  Send(dialog, {Click(SETUP_OK, true)});
  EXPECT_TRUE(dialog.closed && dialog.accepted);
}

TEST_F(SetupDialogTest, KeyboardMovesFocusTogglesAndAccepts) {
  SetupDialog dialog = OpenOnFile();
  ASSERT_EQ(dialog.focus, SETUP_SIMD);
  Send(dialog, {Key(SDLK_TAB), Key(SDLK_SPACE)});
  EXPECT_EQ(dialog.focus, SETUP_MMX);
  EXPECT_EQ(dialog.settings.UseMmx, 0);
  Send(dialog, {Key(SDLK_TAB, KMOD_LSHIFT), Key(SDLK_TAB, KMOD_RSHIFT)});
  EXPECT_EQ(dialog.focus, SETUP_RESET_HISTORY) << "Shift+Tab wraps";
  Send(dialog, {Key(SDLK_TAB), Key(SDLK_SPACE)});
  EXPECT_EQ(dialog.focus, SETUP_SIMD) << "Tab wraps";
  EXPECT_EQ(dialog.settings.UseSimd, 0);
  for (int i = SETUP_SIMD; i < SETUP_BPP15; ++i) Send(dialog, {Key(SDLK_TAB)});
  Send(dialog, {Key(SDLK_SPACE)});
  EXPECT_EQ(dialog.settings.Bpp, 15);
  EXPECT_FALSE(dialog.closed);
  // The focused control alone wears the dotted frame.
  Picture picture;
  PictureAlloc(picture, SETUP_DIALOG_WIDTH, SETUP_DIALOG_HEIGHT);
  SetupDialogDraw(dialog, FixedFont{}, picture);
  const auto frameCorner = [&](int32_t id) {
    const DialogRect& box = SetupControl(id).box;
    return picture.pixels[(box.y - 2) * picture.width + box.x - 2];
  };
  EXPECT_EQ(frameCorner(SETUP_BPP15), 0u);
  EXPECT_NE(frameCorner(SETUP_SIMD), 0u);
  Send(dialog, {Key(SDLK_RETURN)});
  EXPECT_TRUE(dialog.closed && dialog.accepted);
}

TEST_F(SetupDialogTest, EditsTakeDigitsAndRestoreWhatIsNotANumber) {
  SetupDialog dialog = OpenOnFile();
  // Entering an edit selects its text: the first digit replaces it.
  Send(dialog, {Click(SETUP_SLEEP_DELAY), Key(SDLK_7), Key(SDLK_KP5), Key(SDLK_0)});
  EXPECT_EQ(dialog.controls[SETUP_SLEEP_DELAY].digits, "750");
  EXPECT_EQ(dialog.settings.MouseSleepDelay, 750);

  Send(dialog, {Key(SDLK_BACKSPACE), Key(SDLK_BACKSPACE)});
  EXPECT_EQ(dialog.settings.MouseSleepDelay, 7);
  Send(dialog, {Key(SDLK_BACKSPACE)});
  EXPECT_EQ(dialog.controls[SETUP_SLEEP_DELAY].digits, "7") << "emptied edit restored at once";
  EXPECT_EQ(dialog.settings.MouseSleepDelay, 7);

  Send(dialog, {Key(SDLK_TAB), Key(SDLK_a), Key(SDLK_MINUS), Key(SDLK_SPACE)});
  EXPECT_EQ(dialog.controls[SETUP_FADE_TIME].digits, "2000") << "digits only";
  for (SDLKey key : {SDLK_4, SDLK_2, SDLK_9, SDLK_4, SDLK_9, SDLK_6, SDLK_7, SDLK_2, SDLK_9}) {
    Send(dialog, {Key(key)});
  }
  Send(dialog, {Key(SDLK_6)});  // 4294967296 is past 32 bits
  EXPECT_EQ(dialog.controls[SETUP_FADE_TIME].digits, "429496729");
  Send(dialog, {Key(SDLK_5), Key(SDLK_1)});  // the eleventh digit does not go in
  EXPECT_EQ(dialog.controls[SETUP_FADE_TIME].digits, "4294967295");
  EXPECT_EQ(dialog.settings.ScrollFadeTime, -1);
}

TEST_F(SetupDialogTest, TheCreditsAreTheIssuesNameWhenItHasOne) {
  EXPECT_EQ(OpenOnFile().credits, SETUP_DIALOG_CREDITS);
  const std::string longest(ISSUE_NAME_MAX_CHARS, 'n');
  const std::pair<std::string, std::string> rows[] = {
      {"", SETUP_DIALOG_CREDITS},
      {"name=Caf\xC3\xA9 Noir\n", "Caf\xE9 Noir"},
      {"name=" + longest, longest},
      {"name=" + longest + "n", SETUP_DIALOG_CREDITS},
      {"name=\x01\n", SETUP_DIALOG_CREDITS},
      {"title=Noir\n", SETUP_DIALOG_CREDITS}};
  for (const auto& [file, credits] : rows) {
    WriteFileText("issue.txt", file);
    EXPECT_EQ(SetupDialogCredits(), credits) << file;
  }
}

TEST_F(SetupDialogTest, ResetHistoryDeletesTheHistoryAndStaysOpen) {
  WriteFileBytes(HISTORY_FILE, {1, 2, 3});
  SetupDialog dialog = OpenOnFile();
  Send(dialog, {Click(SETUP_RESET_HISTORY)});
  EXPECT_FALSE(FileExists(HISTORY_FILE));
  EXPECT_FALSE(dialog.closed);
}

TEST_F(SetupDialogTest, SaveThenCancelWritesTheClampedFileAndEnds) {
  WriteFileBytes("setup.cfg", LittleEndianWords(kFile));
  // The font comes out of a real archive, into a temporary file.
  std::filesystem::copy_file(DEMO_ARCHIVE, "data.rs",
                             std::filesystem::copy_options::overwrite_existing);
  std::filesystem::remove("fixed.fnt");
  // The start-up's setup step with its window, fed through SDL's queue.
  ChildResult child = RunInChild([&] {
    SDL_Init(SDL_INIT_VIDEO);
    for (SDL_Event event : {Click(SETUP_SIMD), Click(SETUP_FMOD), Click(SETUP_SAVE),
                            Click(SETUP_BPP32), Key(SDLK_ESCAPE)}) {
      SDL_PushEvent(&event);
    }
    RunSetupDialog(config, true);
  });
  EXPECT_EQ(std::tie(child.status, child.out), std::tie(CANCELLED_AS_SEEN, ""));
  std::vector<int32_t> saved = kFile;
  saved[0] = 0;    // SIMD off
  saved[3] = 100;  // sleep delay clamped
  saved[12] = 32;  // chosen after Save, still open at the close
  EXPECT_EQ(ReadFileBytes("setup.cfg"), LittleEndianWords(saved));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2) << "a font left";

  // The player is not stored: the next start has BASS again.
  SetupDefaults(config);
  ReadSetupFile(config);
  EXPECT_EQ(config.PlayerIsBass, 1);
}
