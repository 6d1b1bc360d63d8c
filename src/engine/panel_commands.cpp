#include <cstdlib>
#include <optional>
#include <string>

#include "articles/article_lifecycle.h"
#include "articles/article_links.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "base/fatal.h"
#include "base/integer_reader.h"
#include "engine/article_stack.h"
#include "engine/document_opener.h"
#include "engine/engine.h"
#include "engine/keys.h"
#include "engine/panel_engine.h"
#include "engine/panel_list.h"
#include "engine/panel_steps.h"
#include "engine/screen_transitions.h"
#include "music/msx.h"
#include "resources/image_loader.h"
#include "search/search.h"

namespace {

bool LeftHeld() { return (Mouse.buttons & MOUSE_LEFT) != 0; }
void ConsumeLeft() { Mouse.buttons &= ~MOUSE_LEFT; }

int32_t CommandUnderMouse() { return LeftHeld() ? PanelHitTest(*CurrentPanel) : 0; }

bool HasPrefix(const std::string& target, const char* prefix) {
  return target.compare(0, 4, prefix) == 0;
}

void ExtractLinkArgument() {
  PanelEngine.LinkArgument = SplitLinkTarget(PanelEngine.LinkTarget).argument;
}

// Help, menu and index: a button click is consumed only when it navigates.
bool OpenFixedArticle(const char* path) {
  if (CurrentArticlePath == path) return false;
  PanelEngine.LinkTarget.clear();
  OpenArticle(path);
  return true;
}

void SwitchPanel(int32_t index) {
  PanelEngine.CurrentPanelIndex = index;
  CurrentPanel = PanelList[index].get();
  CopyScreen(BackBuffer, SavedScreen);
  PanelEngine.PanelSwitchPending = 1;
  ArticleSetView(*CurrentArticle, CurrentPanel->oldPage);
  ArticleHome(*CurrentArticle);
}

int32_t PanelNumber(const std::string& argument) {
  const std::optional<int32_t> value = ParseInt(argument);
  if (!value) FatalError("Invalid pVal value !");
  return *value;
}

void PanelLink() {
  const int32_t index = std::abs(PanelNumber(PanelEngine.LinkArgument) % PanelCount);
  if (PanelCount > 1 && index != PanelEngine.CurrentPanelIndex) SwitchPanel(index);
}

void PictureLink() {
  if (PanelEngine.PanelSwitchPending) return;
  PanelEngine.PicturePath = PanelEngine.LinkArgument.substr(0, PATH_MAX_CHARS);
  ImageLoader(PanelEngine.PicturePath.c_str(), PanelEngine.ViewedPicture);
  PanelEngine.PictureView = 1;
  PanelEngine.PictureFadeStart = 0;
}

}  // namespace

void BackCommand() {
  const bool right = (Mouse.buttons & MOUSE_RIGHT) != 0;
  const bool key = KeyBack() != 0;
  const bool button = CommandUnderMouse() == COMMAND_BACK;
  if (!(right || key || button) || ArticleStackDepth == 0) return;
  if (right) Mouse.buttons &= ~MOUSE_RIGHT;
  PanelEngine.LinkTarget.clear();
  GoBack();
}

void ArticleCommands() {
  const int32_t command = CommandUnderMouse();
  if (KeyHelp() || command == COMMAND_HELP) {
    if (OpenFixedArticle(HELP_ARTICLE) && command == COMMAND_HELP) ConsumeLeft();
  }
  if (command == COMMAND_MENU && OpenFixedArticle(MENU_ARTICLE)) ConsumeLeft();
  if (command == COMMAND_INDEX && OpenFixedArticle(FIRST_ARTICLE)) ConsumeLeft();
}

// A follow key that opened nothing is given back for the other prefixes.
void ArticleLinks() {
  const bool follow = KeyFollow() != 0;
  bool opened = false;
  if ((LeftHeld() || follow) && HasPrefix(PanelEngine.LinkTarget, "ART:")) {
    ExtractLinkArgument();
    if (PanelEngine.LinkArgument != CurrentArticlePath) {
      ConsumeLeft();
      ArticleMarkVisited(*CurrentArticle, PanelEngine.LinkTarget.c_str());
      OpenArticle(PanelEngine.LinkArgument);
      PanelEngine.LinkTarget.clear();
      opened = true;
    }
  }
  if (follow && !opened) RearmFollow();
}

void SearchStep() {
  if (!PanelEngine.SearchResultPath.empty()) {
    PanelEngine.LinkTarget.clear();
    const std::string path = PanelEngine.SearchResultPath;
    PanelEngine.SearchResultPath.clear();
    OpenArticle(path);
  }
  if (KeySearch() && !PanelEngine.SearchActive) PanelEngine.SearchActive = 1;
  if (PanelEngine.SearchActive == 1) {
    SearchFrame(PanelEngine.SearchResultPath, PanelEngine.SearchActive, BackBuffer,
                EngineFixedFont.get());
    // The open box takes the keyboard's text; the command keys wait until it closes.
    if (PanelEngine.SearchActive == 1) {
      CaptureOn();
    } else {
      CaptureOff();
    }
  }
}

void ButtonCommands() {
  const int32_t command = CommandUnderMouse();
  switch (command) {
    case COMMAND_QUIT: RaiseQuit(); break;
    case COMMAND_NEXT_TUNE: MsxNext(); break;
    case COMMAND_PREV_TUNE: MsxPrev(); break;
    case COMMAND_SILENCE: MsxPlay("+SILENCE"); break;
    case COMMAND_PLAYLIST: MsxPlay("+PLIST"); break;
    default:
      if (command < COMMAND_TUNE_0 || command > COMMAND_TUNE_3) return;
      MsxPlayIndex(command - COMMAND_TUNE_0);
      break;
  }
  ConsumeLeft();
}

void KeyCommands() {
  if (KeySilence()) MsxPlay("+SILENCE");
  if (KeyPlayList()) MsxPlay("+PLIST");
  if (KeyPrevTune()) MsxPrev();
  if (KeyNextTune()) MsxNext();
  if (KeyPauseMusic()) MsxPauseToggle();
  if (KeySaveText()) ArticleSaveAsText(*CurrentArticle);
}

void OtherLinks() {
  const bool follow = KeyFollow() != 0;
  if (!LeftHeld() && !follow) return;
  const std::string& target = PanelEngine.LinkTarget;
  void (*action)() = nullptr;
  if (HasPrefix(target, "PAN:")) {
    action = PanelLink;
  } else if (HasPrefix(target, "MSX:")) {
    action = [] { MsxPlay(PanelEngine.LinkArgument.c_str()); };
  } else if (HasPrefix(target, "EXE:")) {
    action = [] { OpenDocument(PanelEngine.LinkArgument); };
  } else if (HasPrefix(target, "PIX:")) {
    action = PictureLink;
  } else {
    return;
  }
  ArticleMarkVisited(*CurrentArticle, target.c_str());
  ExtractLinkArgument();
  action();
  ConsumeLeft();
}

void NextPanelCommand() {
  if (!KeyNextPanel() || PanelEngine.PanelSwitchPending || PanelCount < 2) return;
  SwitchPanel((PanelEngine.CurrentPanelIndex + 1) % PanelCount);
}
