#include "search/search.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string_view>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "pictures/draw.h"
#include "pictures/image_loader.h"
#include "platform/key_table.h"
#include "resources/resource_file.h"
#include "search/search_index.h"
#include "search/search_keys.h"
#include "search/search_page.h"

namespace {

constexpr size_t QUERY_MAX = 60;
constexpr int CLEARED_KEYS = 321;
constexpr size_t CONFIG_READ = 4096;  // more than four numbers need
constexpr uint32_t QUERY_COLOUR = 0x00FF00;

// Four integers as "%i %i %i %i" reads them.
bool ReadNumbers(const std::string& text, std::array<int32_t, 4>& numbers) {
  std::string_view rest = text;
  for (int32_t& number : numbers) {
    const std::optional<int32_t> value = TakeInt(rest);
    if (!value) return false;
    number = *value;
  }
  return true;
}

// The file's first CONFIG_READ - 1 bytes, or nothing when it cannot be opened.
std::optional<std::string> ReadConfig() {
  const ResourceFile config("DATA/configs/search.txt");
  const FilePtr file = config.OpenText();
  if (!file) return std::nullopt;
  std::string text(CONFIG_READ, '\0');
  text.resize(std::fread(text.data(), 1, text.size() - 1, file.get()));
  return text;
}

SearchPlacement LoadPlacement() {
  const std::optional<std::string> text = ReadConfig();
  if (!text) FatalError("Cannot open search config file !");
  std::array<int32_t, 4> n{};
  if (!ReadNumbers(*text, n)) FatalError("Error while scaning search config file !");
  return {n[0], n[1], n[2], n[3]};
}

void Open(SearchBox& search, Uint8* keys, int count) {
  std::fill(keys, keys + std::min(count, CLEARED_KEYS), 0);
  search.active = 1;
  search.query.clear();
}

bool Down(const Uint8* keys, int count, int key) { return key < count && keys[key] != 0; }

void Run(SearchBox& search, std::string& resultPath, int32_t& openFlag) {
  search.active = 0;
  openFlag = 0;
  const std::string path = "DATA/search/search_" + std::to_string(search.resultCounter++) + ".art";
  // A page that no place took opens nothing: the reader stays where it is.
  const bool written = WriteResultPage(path.c_str(), search.index, search.query);
  resultPath = written ? path : "";
}

// The presses in their order: a key types once however long it is held, but
// Backspace held takes a character every frame. Enter runs the search.
void TakePresses(SearchBox& search, const std::vector<KeyPress>& presses, bool backspaceHeld,
                 std::string& resultPath, int32_t& openFlag) {
  std::string& query = search.query;
  for (const KeyPress& press : presses) {
    if (press.key == SDLK_RETURN) {
      Run(search, resultPath, openFlag);
      return;
    }
    if (press.key == SDLK_BACKSPACE) {
      backspaceHeld = false;
      if (!query.empty()) query.pop_back();
    }
    const char typed = TypedCharacter(press);
    if (typed != 0 && query.size() < QUERY_MAX) query.push_back(typed);
  }
  if (backspaceHeld && !query.empty()) query.pop_back();
}

}  // namespace

std::unique_ptr<SearchBox> SearchInit() {
  auto search = std::make_unique<SearchBox>();
  ImageLoader("DATA/panels/search.png", search->box);
  search->place = LoadPlacement();
  search->index = LoadSearchIndex();
  return search;
}

void SearchFrame(SearchBox* search, std::string& resultPath, int32_t& openFlag,
                 const std::vector<KeyPress>& presses, Picture& picture, const FixedFont* font) {
  if (search == nullptr) {
    openFlag = 0;
    return;
  }
  int count = 0;
  uint8_t* keys = HeldKeys(count);
  std::string& query = search->query;
  if (!search->active) {
    Open(*search, keys, count);
  } else {
    TakePresses(*search, presses, Down(keys, count, SDLK_BACKSPACE), resultPath, openFlag);
  }
  const SearchPlacement& place = search->place;
  Blit(search->box, place.boxX, place.boxY, picture, DRAW_KEYED, 0.5f);
  if (font != nullptr) {
    FixedDraw(*font, query.c_str(), place.textX, place.textY, QUERY_COLOUR, picture);
  }
}
