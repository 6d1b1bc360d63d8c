#include "engine/panel_list.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "engine/panel_file.h"
#include "engine/video.h"
#include "resources/archive.h"
#include "resources/file_ptr.h"

std::array<std::unique_ptr<Panel>, PANEL_LIST_SIZE> PanelList;
int32_t PanelCount = 0;
Panel* CurrentPanel = nullptr;

namespace {

constexpr int LINE_SIZE = 1024;
constexpr int BUTTON_NUMBERS = 4;  // x, y, mask index, command

void CutLine(char* line) { line[std::strcspn(line, "\n\r\t")] = '\0'; }

// One panel file, line by line; a missing or malformed line is fatal.
class PanelFileReader {
 public:
  explicit PanelFileReader(FILE* file) : file_(file) {}

  std::string Name() {
    Next();
    CutLine(line_);
    return line_;
  }

  int32_t Number() {
    Next();
    const std::optional<int32_t> value = ParseInt(line_);
    if (!value) FatalError(PANEL_PARSE_ERROR);
    return *value;
  }

  int32_t Line() const { return line_number_; }

 private:
  void Next() {
    if (std::fgets(line_, LINE_SIZE, file_) == nullptr) FatalError(PANEL_PARSE_ERROR);
    ++line_number_;
  }

  FILE* file_;
  char line_[LINE_SIZE];
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

std::unique_ptr<Panel> ReadPanelFile(FILE* file) {
  PanelFileReader in(file);
  PanelHeader header = ReadPanelHeader(in);
  auto panel = std::make_unique<Panel>();
  BuildFromHeader(*panel, header);
  if (header.hasButtons) AddButtons(in, *panel, in.Number());
  AddAniChains(in, *panel);
  return panel;
}

void ParsePanelFile(const char* path) {
  const char* name = ResourceOpen(path);
  FilePtr file = OpenFile(name, "rb");
  if (!file) FatalError("Cannot open panel file !");
  std::unique_ptr<Panel> panel = ReadPanelFile(file.get());
  file.reset();
  ResourceClose(name);
  PanelCheckHeight(*panel, SCREEN_HEIGHT);
  PanelList[static_cast<size_t>(PanelCount++)] = std::move(panel);
  if (PanelCount >= PANEL_LIST_SIZE) FatalError("MAX panels limit !");
}

}  // namespace

void ParsePanels() {
  PanelListDestroy();
  const char* name = ResourceOpen(PANELS_PATH);
  FilePtr list = OpenFile(name, "rb");
  if (!list) FatalError("Cannot open configs/panels.txt file !");
  char line[LINE_SIZE];
  while (std::fgets(line, LINE_SIZE, list.get()) != nullptr) {
    CutLine(line);
    ParsePanelFile(line);
  }
  list.reset();
  ResourceClose(name);
  if (PanelCount == 0) FatalError("Need at least one panel !");
  CurrentPanel = PanelList[0].get();
}

void PanelListDestroy() {
  for (std::unique_ptr<Panel>& panel : PanelList) {
    if (panel) PanelDestroy(*panel);
    panel.reset();
  }
  PanelCount = 0;
  CurrentPanel = nullptr;
}
