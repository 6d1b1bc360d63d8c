#include "magtool/check_panels.h"

#include <algorithm>
#include <optional>
#include <string>

#include "base/fatal.h"
#include "base/integer_reader.h"
#include "base/line_reader.h"
#include "base/path_limit.h"
#include "engine/panel_list.h"
#include "engine/video.h"
#include "magtool/check_lines.h"
#include "pictures/image_loader.h"
#include "widgets/panel_file.h"

namespace {

constexpr const char* STRIP_ERROR = "Internal error !";
constexpr const char* LIST_SITE = PANELS_PATH;

// A panel file's lines in the reader's order; running out is its parse error.
class PanelLines {
 public:
  explicit PanelLines(std::vector<MemberLine> lines) : lines_(std::move(lines)) {}

  std::string Name() { return ListName(Next()); }

  int32_t Number() {
    const std::optional<int32_t> value = ParseInt(Next());
    if (!value) FatalError(PANEL_PARSE_ERROR);
    return *value;
  }

  // The line last read, or the one after the end once reading ran out.
  int32_t Line() const { return line_; }

 private:
  const std::string& Next() {
    if (at_ == lines_.size()) {
      line_ = lines_.empty() ? 1 : lines_.back().line + 1;
      FatalError(PANEL_PARSE_ERROR);
    }
    line_ = lines_[at_].line;
    return lines_[at_++].text;
  }

  std::vector<MemberLine> lines_;
  size_t at_ = 0;
  int32_t line_ = 0;
};

class PanelCheck {
 public:
  PanelCheck(CheckReport& report, std::string path) : report_(report), path_(std::move(path)) {}

  // The panel when it built whole.
  std::unique_ptr<Panel> Run(std::vector<MemberLine> lines) {
    PanelLines in(std::move(lines));
    const auto parseError = RunStep([&] { Walk(in); });
    if (parseError) report_.Add(At(in.Line()), *parseError);
    if (parseError || !whole_) return nullptr;
    return std::move(panel_);
  }

 private:
  CheckSite At(int32_t line) const { return {path_, line}; }

  // member: the file the line names, when the step reads it.
  void Step(int32_t line, const std::function<void()>& step, const std::string& member = {}) {
    whole_ = Attempt(report_, At(line), step, member) && whole_;
  }

  void Walk(PanelLines& in) {
    const PanelHeader h = ReadPanelHeader(in);
    Create(h);
    // The reader places the bar only when it draws the chrome: drawn here once.
    if (h.hasBar) {
      Step(h.barLine, [&] {
        PanelSetProgressBar(*panel_, h.barPicture.c_str(), h.barX, h.barY);
        Picture screen{};
        PictureAlloc(screen, SCREEN_WIDTH, SCREEN_HEIGHT);
        ProgressBarDraw(*panel_, screen, 0.0f);
      });
    }
    if (h.hasTitleBox) {
      Step(h.titleLine,
           [&] { PanelSetTitleBox(*panel_, h.titleX, h.titleY, h.titleWidth, h.titleHeight); });
    }
    const int32_t buttons = h.hasButtons ? in.Number() : 0;
    for (int32_t i = 0; i < buttons; ++i) AddButton(in);
    if (in.Number() == 0) return;
    const int32_t chains = in.Number();
    for (int32_t i = 0; i < chains; ++i) {
      const std::string name = in.Name();
      Step(
          in.Line(), [&] { PanelAddAniChain(*panel_, name.c_str()); }, name);
    }
  }

  // The picture alone first, so that a fault of the strips or of the mask is
  // told from one of the picture.
  void Create(const PanelHeader& h) {
    Step(
        h.pictureLine,
        [&] {
          Picture whole{};
          ImageLoader(h.picture.c_str(), whole);
        },
        h.picture);
    if (!whole_) return;
    const auto error = RunStep([&] {
      PanelCreate(*panel_, h.picture.c_str(), h.topHeight, h.middleEnd,
                  h.hasButtons ? h.mask.c_str() : nullptr);
    });
    if (error) {
      const bool strips = error->message == STRIP_ERROR || !h.hasButtons;
      report_.Add(At(strips ? h.stripLine : h.maskLine), *error, strips ? "" : h.mask);
      whole_ = false;
    } else {
      Step(h.stripLine, [&] { PanelCheckHeight(*panel_, SCREEN_HEIGHT); });
    }
    PanelSetTextX(*panel_, h.textX);
  }

  void AddButton(PanelLines& in) {
    const std::string name = in.Name();
    const int32_t line = in.Line();
    int32_t numbers[4];
    int32_t maskLine = 0;
    for (int32_t& number : numbers) {
      number = in.Number();
      if (&number == &numbers[2]) maskLine = in.Line();
    }
    Step(
        line,
        [&] {
          PanelAddButton(*panel_, name.c_str(), numbers[0], numbers[1], numbers[2], numbers[3]);
        },
        name);
    WarnUnseenIndex(numbers[2], maskLine);
  }

  // A button whose index the mask never holds cannot be pressed: a mask saved
  // by a tool that reordered its palette.
  void WarnUnseenIndex(int32_t index, int32_t line) {
    const IndexedPicture& mask = panel_->mask;
    if (!panel_->hasMask || mask.pixels == nullptr) return;
    const uint8_t* begin = mask.pixels;
    const uint8_t* end = begin + static_cast<size_t>(mask.width) * mask.height;
    if (std::find(begin, end, index) != end) return;
    const std::string number = std::to_string(index);
    report_.Warn(At(line), "no pixel of the mask has index " + number +
                               ": the button can never be pressed; paint its area with "
                               "palette index " +
                               number + " (see docs/panels.md)");
  }

  CheckReport& report_;
  std::string path_;
  std::unique_ptr<Panel> panel_ = std::make_unique<Panel>();
  bool whole_ = true;
};

std::unique_ptr<Panel> CheckPanelFile(CheckReport& report, const std::string& path,
                                      const CheckSite& listed) {
  std::optional<std::vector<MemberLine>> lines;
  if (!Attempt(report, listed, [&] { lines = ReadMemberLines(path.c_str(), PATH_MAX_CHARS); })) {
    return nullptr;
  }
  if (!lines) {
    report.Add(listed, StepFailure{"Cannot open panel file !", path, {}});
    return nullptr;
  }
  return PanelCheck(report, path).Run(std::move(*lines));
}

// The list as the reader takes it: a file that fails stops the reader there.
void CheckPanelList(CheckReport& report, std::vector<std::unique_ptr<Panel>>& panels) {
  std::optional<std::vector<MemberLine>> list;
  if (!Attempt(report, {LIST_SITE}, [&] { list = ReadMemberLines(PANELS_PATH, PATH_MAX_CHARS); })) {
    return;
  }
  if (!list) {
    report.Add({LIST_SITE}, "Cannot open configs/panels.txt file !");
    return;
  }
  if (list->empty()) report.Add({LIST_SITE}, "Need at least one panel !");
  for (size_t i = 0; i < list->size(); ++i) {
    const MemberLine& entry = (*list)[i];
    const std::string path = ListName(entry.text);
    if (auto panel = CheckPanelFile(report, path, {LIST_SITE, entry.line})) {
      panels.push_back(std::move(panel));
    }
    if (i + 1 >= PANEL_LIST_SIZE) {
      report.Add({LIST_SITE, entry.line}, "MAX panels limit !");
      break;
    }
  }
}

}  // namespace

std::vector<std::unique_ptr<Panel>> CheckPanels(CheckReport& report) {
  std::vector<std::unique_ptr<Panel>> panels;
  const size_t before = report.Lines().size();
  CheckPanelList(report, panels);
  // The reader's own pass too, in case it refuses what the walk above let by.
  PanelArray parsed;
  if (report.Lines().size() == before) Attempt(report, {LIST_SITE}, [&] { ParsePanels(parsed); });
  PanelListDestroy(parsed);
  return panels;
}
