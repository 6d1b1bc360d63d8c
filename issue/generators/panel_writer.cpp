#include "generators/panel_writer.h"

#include <cmath>
#include <filesystem>
#include <sstream>

#include "generators/file_writer.h"
#include "generators/gif_writer.h"
#include "generators/png_writer.h"

namespace {

constexpr int W = 640, H = 480;
constexpr double PI = 3.14159265358979323846;
constexpr int ANI_FRAMES = 6;
// The reader wants the whole bar picture, both halves, strictly inside the
// screen: x + 2 * visible width < 640 and y + BAR_HEIGHT < 480.
constexpr int BAR_HEIGHT = 6;
constexpr int CAPTION_GAP = 12;  // between a caption and the title box
constexpr int CAPTION_MIN_SIZE = 14;

struct Output {
  std::string dataDir;
  TextPainter& text;
  bool ok = true;

  std::string Path(const std::string& relative) const { return dataDir + "/" + relative; }
  void Png(const std::string& relative, const Canvas& c) {
    ok = WritePng(Path(relative), c.width, c.height, c.pixels) && ok;
  }
  void Text(const std::string& relative, const std::ostringstream& text) {
    ok = WriteText(Path(relative), text.str()) && ok;
  }
};

// Nothing drawn on a highlight or frame may be pure black: that is the key.
Canvas Keyable(Canvas c) {
  for (uint32_t& p : c.pixels) {
    if (p != 0 && (p & 0xF0F0F0) == 0) p |= 0x010101;
  }
  return c;
}

void DrawButtonFace(Canvas& c, int x, int y, const ButtonSpec& b, uint32_t fill, uint32_t edge,
                    uint32_t label, TextPainter& text) {
  RoundedBox(c, x, y, b.w, b.h, b.h / 2.5, edge);
  RoundedBox(c, x + 1, y + 1, b.w - 2, b.h - 2, b.h / 2.5 - 1, fill);
  text.DrawCentred(c, x, y, b.w, b.h, b.label, b.h > 33 ? 14 : 13, label);
}

Canvas ButtonPicture(const ButtonSpec& b, const Theme& t, double glow, TextPainter& text) {
  Canvas c = MakeCanvas(b.w, b.h, 0);
  uint32_t fill = Mix(t.button, t.accent, glow);
  DrawButtonFace(c, 0, 0, b, fill, Mix(t.light, 0xFFFFFF, glow), Mix(t.label, t.deep, glow), text);
  return Keyable(c);
}

void WriteButton(Output& out, const PanelSpec& p, size_t index, std::ostringstream& file) {
  const ButtonSpec& b = p.buttons[index];
  std::string base = "panels/" + p.name + "/button" + std::to_string(index);
  std::string listed = "DATA/" + base + (b.animated ? ".ani" : ".png");
  if (b.animated) {
    std::ostringstream list;
    for (int f = 0; f < ANI_FRAMES; ++f) {
      std::string frame = base + "_" + std::to_string(f) + ".png";
      out.Png(frame, ButtonPicture(b, p.theme, (f + 1.0) / ANI_FRAMES, out.text));
      list << "DATA/" << frame << "\n";
    }
    out.Text(base + ".ani", list);
  } else {
    out.Png(base + ".png", ButtonPicture(b, p.theme, 1.0, out.text));
  }
  file << listed << "\n" << b.x << "\n" << b.y << "\n" << index + 1 << "\n" << b.command << "\n";
}

Canvas ChainFrame(ChainKind kind, int frame, const Theme& t) {
  switch (kind) {
    case ChainKind::Emblem: {
      Canvas c = MakeCanvas(48, 48, 0);
      Ring(c, 24, 24, 17, 3, t.accent);
      double a = frame * PI / 4;
      Disc(c, 24 + 17 * std::cos(a), 24 + 17 * std::sin(a), 5, 0xFFF4D0);
      Disc(c, 24, 24, 6, Mix(t.accent, 0xFFFFFF, 0.3));
      return Keyable(c);
    }
    case ChainKind::Lamp: {
      Canvas c = MakeCanvas(20, 20, 0);
      Disc(c, 10, 10, 9, frame == 0 ? 0x602018 : 0xFF5030);
      Disc(c, 8, 8, 3, frame == 0 ? 0x803828 : 0xFFC0A0);
      return Keyable(c);
    }
    case ChainKind::Equalizer: {
      Canvas c = MakeCanvas(80, 72, 0);
      for (int bar = 0; bar < 8; ++bar) {
        double level = 0.25 + 0.7 * std::fabs(std::sin(frame * 1.3 + bar * 0.9 + bar * frame * 0.2));
        int h = int(level * 68);
        VerticalGradient(c, 2 + bar * 10, 70 - h, 7, h, 0xFFFFFF, t.accent);
      }
      return Keyable(c);
    }
  }
  return MakeCanvas(1, 1, 0);
}

int ChainFrames(ChainKind kind) { return kind == ChainKind::Emblem ? 8 : kind == ChainKind::Lamp ? 2 : 6; }
int ChainDelay(ChainKind kind) { return kind == ChainKind::Emblem ? 90 : kind == ChainKind::Lamp ? 500 : 140; }

std::string WriteChain(Output& out, const PanelSpec& p, size_t index) {
  const ChainSpec& chain = p.chains[index];
  std::string base = "panels/" + p.name + "/chain" + std::to_string(index);
  std::ostringstream file;
  file << ChainFrames(chain.kind) << " " << ChainDelay(chain.kind) << " " << chain.x << " " << chain.y
       << "\n";
  for (int f = 0; f < ChainFrames(chain.kind); ++f) {
    std::string frame = base + "_" + std::to_string(f) + ".png";
    out.Png(frame, ChainFrame(chain.kind, f, p.theme));
    file << "DATA/" << frame << "\n";
  }
  out.Text(base + ".txt", file);
  return "DATA/" + base + ".txt";
}

// Full on the left half, empty on the right.
Canvas BarPicture(const PanelSpec& p) {
  Canvas c = MakeCanvas(p.barWidth * 2, BAR_HEIGHT, 0x101010);
  RoundedBox(c, 0, 0, p.barWidth, BAR_HEIGHT, 3, p.theme.accent);
  RoundedBox(c, p.barWidth, 0, p.barWidth, BAR_HEIGHT, 3, Mix(p.theme.deep, 0x000000, 0.4));
  RoundedBox(c, p.barWidth + 1, 1, p.barWidth - 2, BAR_HEIGHT - 2, 2,
             Mix(p.theme.deep, p.theme.light, 0.2));
  return Keyable(c);
}

// A caption too long for the strip left of the title box is set smaller,
// down to a size still easy to read, and then cut short with an ellipsis.
void Caption(Canvas& c, const PanelSpec& p, TextPainter& text) {
  const bool tall = p.topHeight >= 60;
  const int x = tall ? 66 : 12;
  const int room = p.titleX - CAPTION_GAP - x;
  int size = tall ? 26 : 18;
  while (size > CAPTION_MIN_SIZE && text.Measure(p.caption, size) > room) --size;
  std::u32string shown = p.caption;
  for (size_t keep = shown.size(); keep > 1 && text.Measure(shown, size) > room;) {
    shown = p.caption.substr(0, --keep) + U"\u2026";
  }
  text.Draw(c, x, tall ? 42 : 28, shown, size, p.theme.accent);
}

Canvas PanelPicture(const PanelSpec& p, TextPainter& text) {
  const Theme& t = p.theme;
  Canvas c = MakeCanvas(W, H, t.deep);
  if (p.framed) {
    VerticalGradient(c, 0, 0, W, H, t.page, t.pageEdge);
    for (int edge : {3, 4}) {
      FillBox(c, edge, edge, W - 2 * edge, 1, t.accent);
      FillBox(c, edge, H - 1 - edge, W - 2 * edge, 1, t.accent);
      FillBox(c, edge, edge, 1, H - 2 * edge, t.accent);
      FillBox(c, W - 1 - edge, edge, 1, H - 2 * edge, t.accent);
    }
    RoundedBox(c, 6, H - 42, W - 12, 38, 10, Mix(t.deep, 0x000000, 0.3));
  } else {
    int middleTop = p.topHeight, middleEnd = p.middleEnd;
    VerticalGradient(c, 0, 0, W, middleTop, t.light, t.deep);
    VerticalGradient(c, 0, middleTop, W, middleEnd - middleTop, t.page, t.pageEdge);
    VerticalGradient(c, 0, middleEnd, W, H - middleEnd, t.deep, t.light);
    FillBox(c, 0, middleTop - 2, W, 2, t.accent);
    FillBox(c, 0, middleEnd, W, 2, t.accent);
    if (!p.caption.empty()) Caption(c, p, text);
  }
  RoundedBox(c, p.titleX - 3, p.titleY - 2, p.titleW + 6, p.titleH + 4, 6, Mix(t.deep, 0, 0.5));
  for (const ButtonSpec& b : p.buttons) DrawButtonFace(c, b.x, b.y, b, t.button, t.light, t.label, text);
  return c;
}

GifImage MaskOf(const PanelSpec& p) {
  GifImage mask{W, H, std::vector<uint8_t>(W * H, 0), std::vector<uint8_t>(768, 0)};
  for (size_t i = 0; i < p.buttons.size(); ++i) {
    const ButtonSpec& b = p.buttons[i];
    for (int y = b.y; y < b.y + b.h; ++y) {
      for (int x = b.x; x < b.x + b.w; ++x) mask.indices[y * W + x] = static_cast<uint8_t>(i + 1);
    }
  }
  for (int i = 0; i < 256; ++i) mask.palette[i * 3] = mask.palette[i * 3 + 1] = static_cast<uint8_t>(i * 20);
  return mask;
}

void WritePanel(Output& out, const PanelSpec& p) {
  std::error_code error;  // a folder that cannot be made fails the writes into it
  std::filesystem::create_directories(out.Path("panels/" + p.name), error);
  std::string dir = "panels/" + p.name;
  out.Png(dir + "/panel.png", PanelPicture(p, out.text));
  out.ok = WriteGif(out.Path(dir + "/mask.gif"), MaskOf(p)) && out.ok;
  out.Png(dir + "/bar.png", BarPicture(p));
  std::ostringstream file;
  file << "DATA/" << dir << "/panel.png\n" << p.topHeight << "\n" << p.middleEnd << "\n" << p.textX << "\n";
  file << "1\nDATA/" << dir << "/bar.png\n" << p.barX << "\n" << p.barY << "\n";
  file << "1\n" << p.titleX << "\n" << p.titleY << "\n" << p.titleW << "\n" << p.titleH << "\n";
  file << "1\nDATA/" << dir << "/mask.gif\n" << p.buttons.size() << "\n";
  for (size_t i = 0; i < p.buttons.size(); ++i) WriteButton(out, p, i, file);
  std::vector<std::string> chains;
  for (size_t i = 0; i < p.chains.size(); ++i) chains.push_back(WriteChain(out, p, i));
  file << "1\n" << chains.size() << "\n";
  for (const std::string& chain : chains) file << chain << "\n";
  out.Text("panels/" + p.name + ".txt", file);
}

}  // namespace

PanelSpec ClassicPanel(const std::u32string& caption) {
  const Theme navy{0x0A1430, 0x22356A, 0x12204A, 0x0C1736, 0xE8B84A, 0x1E3062, 0xE8ECF4};
  return {"classic", 64, 416, 28, false, navy,
      {{U"EXIT", 1, 12, 424, 64, 36, true}, {U"HELP", 2, 82, 424, 60, 36, false},
       {U"MENU", 15, 148, 424, 64, 36, false}, {U"INDEX", 16, 218, 424, 68, 36, false},
       {U"BACK", 17, 292, 424, 62, 36, false}, {U"\u25B2", 5, 360, 424, 34, 36, false},
       {U"\u25BC", 6, 398, 424, 34, 36, false}, {U"PG\u25B2", 7, 436, 424, 46, 36, false},
       {U"PG\u25BC", 8, 486, 424, 46, 36, false}, {U"\u25C0\u266A", 4, 540, 424, 44, 36, false},
       {U"\u266A\u25B6", 3, 588, 424, 44, 36, false}},
      {{ChainKind::Emblem, 10, 8}, {ChainKind::Lamp, 608, 22}},
      12, 468, 200, 262, 18, 330, 28, caption};
}

bool WritePanels(const std::string& dataDir, TextPainter& text, const std::vector<PanelSpec>& panels) {
  Output out{dataDir, text};
  std::error_code error;
  std::filesystem::create_directories(out.Path("configs"), error);
  std::ostringstream list;
  for (const PanelSpec& panel : panels) {
    WritePanel(out, panel);
    list << "DATA/panels/" << panel.name << ".txt\n";
  }
  out.Text("configs/panels.txt", list);
  return out.ok;
}
