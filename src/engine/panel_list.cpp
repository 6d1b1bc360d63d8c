#include "engine/panel_list.h"

#include <cstdio>
#include <optional>
#include <string>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "engine/video.h"
#include "resources/reading_place.h"
#include "resources/resource_file.h"
#include "widgets/panel_file.h"

namespace {

constexpr int BUTTON_NUMBERS = 4;  // x, y, mask index, command

// One panel file, line by line; a missing or malformed line is fatal, named
// at the line. A line holds a path or a number.
class PanelFileReader {
 public:
  PanelFileReader(FILE* file, const char* path) : file_(file), mark_(path) {}

  std::string Name() { return ListName(Next()); }

  int32_t Number() {
    const std::optional<int32_t> value = ParseInt(Next());
    if (!value) FatalError(PANEL_PARSE_ERROR);
    return *value;
  }

  int32_t Line() const { return line_number_; }

 private:
  std::string Next() {
    mark_.SetLine(++line_number_);
    std::optional<std::string> line = ReadLine(file_, PATH_MAX_CHARS);
    if (!line) FatalError(PANEL_PARSE_ERROR);
    return std::move(*line);
  }

  FILE* file_;
  ReadingMark mark_;
  int32_t line_number_ = 0;
};

void BuildFromHeader(Panel& panel, const PanelHeader& h) {
  PanelCreate(panel, h.picture.c_str(), h.topHeight, h.middleEnd,
              h.hasButtons ? h.mask.c_str() : nullptr);
  PanelSetTextX(panel, h.textX);
  if (h.hasBar) PanelSetProgressBar(panel, h.barPicture.c_str(), h.barX, h.barY);
  if (h.hasTitleBox) PanelSetTitleBox(panel, h.titleX, h.titleY, h.titleWidth, h.titleHeight);
}

// Each button is added as soon as its lines are read, so an absurd count ends
// at the end of the file rather than in an allocation.
void AddButtons(PanelFileReader& in, Panel& panel, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    std::string name = in.Name();
    int32_t numbers[BUTTON_NUMBERS];
    for (int32_t& number : numbers) number = in.Number();
    PanelAddButton(panel, name.c_str(), numbers[0], numbers[1], numbers[2], numbers[3]);
  }
}

void AddAniChains(PanelFileReader& in, Panel& panel) {
  if (in.Number() == 0) return;
  int32_t count = in.Number();
  for (int32_t i = 0; i < count; ++i) PanelAddAniChain(panel, in.Name().c_str());
}

std::unique_ptr<Panel> ReadPanelFile(const char* path) {
  const ResourceFile source(path);
  const FilePtr file = source.OpenText();
  if (!file) FatalError("Cannot open panel file !");
  PanelFileReader in(file.get(), path);
  PanelHeader header = ReadPanelHeader(in);
  auto panel = std::make_unique<Panel>();
  BuildFromHeader(*panel, header);
  if (header.hasButtons) AddButtons(in, *panel, in.Number());
  AddAniChains(in, *panel);
  return panel;
}

void ParsePanelFile(const char* path, PanelArray& list, int32_t& count) {
  std::unique_ptr<Panel> panel = ReadPanelFile(path);
  PanelCheckHeight(*panel, SCREEN_HEIGHT);
  list[static_cast<size_t>(count++)] = std::move(panel);
  if (count >= PANEL_LIST_SIZE) FatalError("MAX panels limit !");
}

int32_t ParsePanelList(PanelArray& list) {
  int32_t count = 0;
  const ResourceFile source(PANELS_PATH);
  const FilePtr file = source.OpenText();
  if (!file) FatalError("Cannot open configs/panels.txt file !");
  ReadingMark mark(PANELS_PATH);
  for (int32_t number = 1;; ++number) {
    mark.SetLine(number);
    const std::optional<std::string> line = ReadLine(file.get(), PATH_MAX_CHARS);
    if (!line) break;
    ParsePanelFile(ListName(*line).c_str(), list, count);
  }
  return count;
}

}  // namespace

int32_t ParsePanels(PanelArray& list) {
  PanelListDestroy(list);
  const int32_t count = ParsePanelList(list);
  if (count == 0) FatalError("Need at least one panel !");
  return count;
}

void PanelListDestroy(PanelArray& list) {
  for (std::unique_ptr<Panel>& panel : list) {
    if (panel) PanelDestroy(*panel);
    panel.reset();
  }
}
