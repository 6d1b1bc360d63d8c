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

// Help, menu and index: a button click is consumed only when it navigates.
bool OpenFixedArticle(Reader& reader, const char* path) {
  if (reader.CurrentArticlePath == path) return false;
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

void PanelLink(Reader& reader, const std::string& argument) {
  const std::optional<int32_t> index = LinkedPanel(argument, reader.PanelCount);
  if (!index) FatalError("Invalid pVal value !");
  if (reader.PanelCount > 1 && *index != reader.PanelEngine.CurrentPanelIndex) {
    SwitchPanel(reader, *index);
  }
}

void PictureLink(Reader& reader, const std::string& argument) {
  PanelEngineState& state = reader.PanelEngine;
  if (state.PanelSwitchPending) return;
  state.PicturePath = argument.substr(0, PATH_MAX_CHARS);
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
  const LinkEntry* link = state.Link;
  const bool article = link != nullptr && link->kind == LinkKind::Article;
  if ((LeftHeld(reader.Mouse) || follow) && article &&
      link->argument != reader.CurrentArticlePath) {
    ConsumeLeft(reader.Mouse);
    ArticleMarkVisited(*reader.CurrentArticle, *link);
    const std::string path = link->argument;  // the entry goes with its article
    OpenArticle(reader, path);
    opened = true;
  }
  if (follow && !opened) RearmFollow(reader.KeyFlags);
}

void SearchStep(Reader& reader) {
  PanelEngineState& state = reader.PanelEngine;
  if (!state.SearchResultPath.empty()) {
    const std::string path = state.SearchResultPath;
    state.SearchResultPath.clear();
    OpenArticle(reader, path);
  }
  if (KeySearch(reader.KeyFlags) && !state.SearchActive) state.SearchActive = 1;
  if (state.SearchActive == 1) {
    SearchFrame(reader.Search.get(), state.SearchResultPath, state.SearchActive, reader.KeyPresses,
                reader.BackBuffer, reader.EngineFixedFont.get());
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
  if (KeySaveText(keys)) ArticleSaveAsText(*reader.CurrentArticle, reader.NextSavedText);
}

void OtherLinks(Reader& reader) {
  const bool follow = KeyFollow(reader.KeyFlags) != 0;
  if (!LeftHeld(reader.Mouse) && !follow) return;
  const LinkEntry* link = reader.PanelEngine.Link;
  if (link == nullptr || link->kind == LinkKind::Article || link->kind == LinkKind::Other) return;
  ArticleMarkVisited(*reader.CurrentArticle, *link);
  const std::string argument = link->argument;  // a panel switch may close its article
  switch (link->kind) {
    case LinkKind::Panel:
      PanelLink(reader, argument);
      break;
    case LinkKind::Music:
      MsxPlay(argument.c_str());
      break;
    case LinkKind::Document:
      OpenDocument(ResourceIssueDocument(argument));
      break;
    case LinkKind::Picture:
      PictureLink(reader, argument);
      break;
    case LinkKind::Article:
    case LinkKind::Other:
      break;
  }
  ConsumeLeft(reader.Mouse);
}

void NextPanelCommand(Reader& reader) {
  const PanelEngineState& state = reader.PanelEngine;
  if (!KeyNextPanel(reader.KeyFlags) || state.PanelSwitchPending || reader.PanelCount < 2) return;
  SwitchPanel(reader, (state.CurrentPanelIndex + 1) % reader.PanelCount);
}
