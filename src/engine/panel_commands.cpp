#include <optional>
#include <string>

#include "articles/article_lifecycle.h"
#include "articles/article_links.h"
#include "articles/article_view.h"
#include "articles/link_targets.h"
#include "base/fatal.h"
#include "engine/panel_steps.h"
#include "engine/reader_state.h"
#include "engine/screen_transitions.h"
#include "music/msx.h"
#include "pictures/image_loader.h"
#include "platform/document_opener.h"
#include "resources/archive.h"
#include "search/search.h"

namespace {

bool LeftHeld(const MouseState& mouse) { return (mouse.buttons & MOUSE_LEFT) != 0; }
void ConsumeLeft(MouseState& mouse) { mouse.buttons &= ~MOUSE_LEFT; }

int32_t CommandUnderMouse(const Reader& reader) {
  return LeftHeld(reader.Mouse) ? PanelHitTest(*reader.CurrentPanel) : 0;
}

bool HasPrefix(const std::string& target, const char* prefix) {
  return target.compare(0, 4, prefix) == 0;
}

void ExtractLinkArgument(PanelEngineState& state) {
  state.LinkArgument = SplitLinkTarget(state.LinkTarget).argument;
}

// Help, menu and index: a button click is consumed only when it navigates.
bool OpenFixedArticle(Reader& reader, const char* path) {
  if (reader.CurrentArticlePath == path) return false;
  reader.PanelEngine.LinkTarget.clear();
  OpenArticle(reader, path);
  return true;
}

void SwitchPanel(Reader& reader, int32_t index) {
  reader.PanelEngine.CurrentPanelIndex = index;
  reader.CurrentPanel = reader.PanelList[index].get();
  CopyScreen(reader.BackBuffer, reader.SavedScreen);
  reader.PanelEngine.PanelSwitchPending = 1;
  ArticleSetView(*reader.CurrentArticle, reader.CurrentPanel->oldPage);
  ArticleHome(*reader.CurrentArticle);
}

void PanelLink(Reader& reader) {
  const std::optional<int32_t> index =
      LinkedPanel(reader.PanelEngine.LinkArgument, reader.PanelCount);
  if (!index) FatalError("Invalid pVal value !");
  if (reader.PanelCount > 1 && *index != reader.PanelEngine.CurrentPanelIndex) {
    SwitchPanel(reader, *index);
  }
}

void PictureLink(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  if (state.PanelSwitchPending) return;
  state.PicturePath = state.LinkArgument.substr(0, PATH_MAX_CHARS);
  ImageLoader(state.PicturePath.c_str(), state.ViewedPicture);
  state.PictureView = 1;
  state.PictureFadeStart = 0;
}

}  // namespace

void BackCommand(Reader& reader) {
  MouseState& mouse = reader.Mouse;
  const bool right = (mouse.buttons & MOUSE_RIGHT) != 0;
  const bool key = KeyBack(reader.KeyFlags) != 0;
  const bool button = CommandUnderMouse(reader) == COMMAND_BACK;
  if (!(right || key || button) || reader.ArticleStackDepth == 0) return;
  if (right) mouse.buttons &= ~MOUSE_RIGHT;
  reader.PanelEngine.LinkTarget.clear();
  GoBack(reader);
}

void ArticleCommands(Reader& reader) {
  MouseState& mouse = reader.Mouse;
  const int32_t command = CommandUnderMouse(reader);
  if (KeyHelp(reader.KeyFlags) || command == COMMAND_HELP) {
    if (OpenFixedArticle(reader, HELP_ARTICLE) && command == COMMAND_HELP) ConsumeLeft(mouse);
  }
  if (command == COMMAND_MENU && OpenFixedArticle(reader, MENU_ARTICLE)) ConsumeLeft(mouse);
  if (command == COMMAND_INDEX && OpenFixedArticle(reader, FIRST_ARTICLE)) ConsumeLeft(mouse);
}

// A follow key that opened nothing is given back for the other prefixes.
void ArticleLinks(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  const bool follow = KeyFollow(reader.KeyFlags) != 0;
  bool opened = false;
  if ((LeftHeld(reader.Mouse) || follow) && HasPrefix(state.LinkTarget, "ART:")) {
    ExtractLinkArgument(state);
    if (state.LinkArgument != reader.CurrentArticlePath) {
      ConsumeLeft(reader.Mouse);
      ArticleMarkVisited(*reader.CurrentArticle, state.LinkTarget.c_str());
      OpenArticle(reader, state.LinkArgument);
      state.LinkTarget.clear();
      opened = true;
    }
  }
  if (follow && !opened) RearmFollow(reader.KeyFlags);
}

void SearchStep(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  if (!state.SearchResultPath.empty()) {
    state.LinkTarget.clear();
    const std::string path = state.SearchResultPath;
    state.SearchResultPath.clear();
    OpenArticle(reader, path);
  }
  if (KeySearch(reader.KeyFlags) && !state.SearchActive) state.SearchActive = 1;
  if (state.SearchActive == 1) {
    SearchFrame(state.SearchResultPath, state.SearchActive, reader.KeyPresses, reader.BackBuffer,
                reader.EngineFixedFont.get());
    // The open box takes the keyboard's text; the command keys wait until it closes.
    if (state.SearchActive == 1) {
      CaptureOn(reader.KeyFlags);
    } else {
      CaptureOff(reader.KeyFlags);
    }
  }
}

void ButtonCommands(Reader& reader) {
  const int32_t command = CommandUnderMouse(reader);
  switch (command) {
    case COMMAND_QUIT:
      RaiseQuit(reader.KeyFlags);
      break;
    case COMMAND_NEXT_TUNE:
      MsxNext();
      break;
    case COMMAND_PREV_TUNE:
      MsxPrev();
      break;
    case COMMAND_SILENCE:
      MsxPlay("+SILENCE");
      break;
    case COMMAND_PLAYLIST:
      MsxPlay("+PLIST");
      break;
    default:
      if (command < COMMAND_TUNE_0 || command > COMMAND_TUNE_3) return;
      MsxPlayIndex(command - COMMAND_TUNE_0);
      break;
  }
  ConsumeLeft(reader.Mouse);
}

void KeyCommands(Reader& reader) {
  KeyState& keys = reader.KeyFlags;
  if (KeySilence(keys)) MsxPlay("+SILENCE");
  if (KeyPlayList(keys)) MsxPlay("+PLIST");
  if (KeyPrevTune(keys)) MsxPrev();
  if (KeyNextTune(keys)) MsxNext();
  if (KeyPauseMusic(keys)) MsxPauseToggle();
  if (KeySaveText(keys)) ArticleSaveAsText(*reader.CurrentArticle);
}

void OtherLinks(Reader& reader) {
  const bool follow = KeyFollow(reader.KeyFlags) != 0;
  if (!LeftHeld(reader.Mouse) && !follow) return;
  const std::string& target = reader.PanelEngine.LinkTarget;
  void (*action)(Reader&) = nullptr;
  if (HasPrefix(target, "PAN:")) {
    action = PanelLink;
  } else if (HasPrefix(target, "MSX:")) {
    action = [](Reader& r) { MsxPlay(r.PanelEngine.LinkArgument.c_str()); };
  } else if (HasPrefix(target, "EXE:")) {
    action = [](Reader& r) { OpenDocument(ResourceIssueDocument(r.PanelEngine.LinkArgument)); };
  } else if (HasPrefix(target, "PIX:")) {
    action = PictureLink;
  } else {
    return;
  }
  ArticleMarkVisited(*reader.CurrentArticle, target.c_str());
  ExtractLinkArgument(reader.PanelEngine);
  action(reader);
  ConsumeLeft(reader.Mouse);
}

void NextPanelCommand(Reader& reader) {
  const PanelEngineState& state = reader.PanelEngine;
  if (!KeyNextPanel(reader.KeyFlags) || state.PanelSwitchPending || reader.PanelCount < 2) return;
  SwitchPanel(reader, (state.CurrentPanelIndex + 1) % reader.PanelCount);
}
