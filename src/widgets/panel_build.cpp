#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/clock.h"
#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "pictures/draw.h"
#include "pictures/image_loader.h"
#include "resources/file_ptr.h"
#include "resources/resource_file.h"
#include "widgets/panel.h"

namespace {

// A copy of source's rows from firstRow on, rows high.
Picture CutRows(const Picture& source, int32_t firstRow, int32_t rows) {
  Picture part{};
  PictureAlloc(part, source.width, rows);
  Blit(source, 0, -firstRow, part, DRAW_OPAQUE, 1.0f);
  return part;
}

// Splits the loaded picture into strips. Every area cut must hold at least
// one row and lie inside the picture.
void CutStrips(Panel& built, Picture whole, int32_t topHeight, int32_t middleEnd) {
  const int32_t height = whole.height;
  if (topHeight > 0 || middleEnd > 0) {
    const int32_t first = topHeight > 0 ? topHeight : 0;
    if (middleEnd <= first || middleEnd >= height) FatalError("Internal error !");
    if (topHeight > 0) {
      built.top = CutRows(whole, 0, topHeight);
      built.hasTop = 1;
    }
    built.middle = CutRows(whole, first, middleEnd - first);
    built.bottom = CutRows(whole, middleEnd, height - middleEnd);
    built.hasBottom = 1;
  } else {
    built.middle = std::move(whole);
  }
  built.oldPage = CutRows(built.middle, 0, built.middle.height);
}

void LoadMask(Panel& built, const char* maskPath, int32_t width, int32_t height) {
  const bool loaded = LoadGif(ResourceFile(maskPath).name(), built.mask, nullptr);
  if (!loaded) FatalError("Pix loader error ![GIF]");
  if (built.mask.width != width || built.mask.height != height) {
    FatalError("Buttonmask have wrong size !");
  }
  built.hasMask = 1;
}

// Every line of the file at path up to its first NUL (a longer line is read as
// several), or nothing when it cannot be opened. The whole file is read before
// anything is sized by it.
std::optional<std::vector<std::string>> ReadLines(const char* path) {
  const ResourceFile source(path);
  const FilePtr file = source.OpenText();
  if (!file) return std::nullopt;
  std::vector<std::string> lines;
  while (const std::optional<std::string> line = ReadLine(file.get(), PATH_MAX_CHARS)) {
    lines.push_back(line->substr(0, line->find('\0')));
  }
  return lines;
}

// Loads the count pictures named by the lines from first on; the caller has
// checked that the lines are there.
std::vector<Picture> LoadFrames(const std::vector<std::string>& lines, size_t first, size_t count) {
  std::vector<Picture> frames(count);
  for (size_t i = 0; i < count; ++i) {
    ImageLoader(ListName(lines[first + i]).c_str(), frames[i]);
  }
  return frames;
}

bool IsAnimationPath(const char* path) {
  const size_t length = std::strlen(path);
  return length > 4 && StrCaseCompare(path + length - 4, ".ani") == 0;
}

// Frame count, delay, x and y. Only a delay of 0 is refused: a negative one,
// taken unsigned by the frame formula, holds the first frame for weeks.
std::optional<AniChain> ParseChainHeader(const std::string& line) {
  std::string_view rest = line;
  int32_t values[4];
  for (int32_t& value : values) {
    const std::optional<int32_t> parsed = TakeInt(rest);
    if (!parsed) return std::nullopt;
    value = *parsed;
  }
  if (values[0] <= 0 || values[1] == 0) return std::nullopt;
  AniChain chain{};
  chain.frameCount = values[0];
  chain.delay = values[1];
  chain.x = values[2];
  chain.y = values[3];
  return chain;
}

}  // namespace

void PanelCreate(Panel& panel, const char* picturePath, int32_t topHeight, int32_t middleEnd,
                 const char* maskPath) {
  Picture whole{};
  ImageLoader(picturePath, whole);
  const int32_t width = whole.width;
  const int32_t height = whole.height;
  Panel built{};
  CutStrips(built, std::move(whole), topHeight, middleEnd);
  if (maskPath != nullptr) LoadMask(built, maskPath, width, height);
  PictureAlloc(built.newPage, built.middle.width, built.middle.height);
  built.created = EngineTicks();
  panel = std::move(built);
}

void PanelSetTextX(Panel& panel, int32_t x) { panel.textX = x; }

void PanelSetTitleBox(Panel& panel, int32_t x, int32_t y, int32_t width, int32_t height) {
  PictureAlloc(panel.titleBox, width, height);
  panel.hasTitleBox = 1;
  panel.titleX = x;
  panel.titleY = y;
}

void PanelSetProgressBar(Panel& panel, const char* picturePath, int32_t x, int32_t y) {
  ImageLoader(picturePath, panel.bar);
  panel.hasProgressBar = 1;
  panel.barX = x;
  panel.barY = y;
}

void PanelAddButton(Panel& panel, const char* path, int32_t x, int32_t y, int32_t maskIndex,
                    int32_t command) {
  PanelButton button{};
  button.x = x;
  button.y = y;
  button.maskIndex = static_cast<uint8_t>(maskIndex);
  button.command = command;
  if (IsAnimationPath(path)) {
    const auto lines = ReadLines(path);
    if (!lines) FatalError("Cannot open button animation file !");
    if (lines->empty()) FatalError("Internal error !");
    button.frames = LoadFrames(*lines, 0, lines->size());
    button.animated = 1;
    button.frameCount = static_cast<int32_t>(button.frames.size());
  } else {
    ImageLoader(path, button.image);
  }
  panel.buttons.insert(panel.buttons.begin(), std::move(button));
}

void PanelAddAniChain(Panel& panel, const char* path) {
  const auto lines = ReadLines(path);
  if (!lines) FatalError("Cannot open AniChain file !");
  if (lines->empty()) FatalError("Internal error !");
  std::optional<AniChain> chain = ParseChainHeader(lines->front());
  // Compared in 64 bits: the count comes from the file.
  if (!chain || int64_t{chain->frameCount} > static_cast<int64_t>(lines->size()) - 1) {
    FatalError("Internal error !");
  }
  chain->frames = LoadFrames(*lines, 1, static_cast<size_t>(chain->frameCount));
  panel.aniChains.insert(panel.aniChains.begin(), std::move(*chain));
}

void PanelDestroy(Panel& panel) { panel = Panel{}; }

int32_t PanelTopHeight(const Panel& panel) { return panel.hasTop ? panel.top.height : 0; }

void PanelCheckHeight(const Panel& panel, int32_t screenHeight) {
  if (int64_t{PanelTopHeight(panel)} + panel.middle.height > screenHeight) {
    FatalError("Top strip and middle area are taller than the screen !");
  }
}
