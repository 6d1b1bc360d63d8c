#include "support/startup_files.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "generators/gif_writer.h"
#include "generators/png_writer.h"
#include "resources/archive.h"
#include "support/scratch_dir.h"
#include "support/tiny_module.h"

void WritePanels(const ReaderPlaces& places, const std::vector<uint32_t>& colours, int32_t textX,
                 int32_t buttonY, int32_t buttonHeight, int32_t command) {
  const auto in = [&](const std::string& name) { return InReaderFolder(places, name); };
  GifImage mask{640, 480, std::vector<uint8_t>(640 * 480), std::vector<uint8_t>(768)};
  for (int y = buttonY; y < buttonY + buttonHeight; ++y) std::fill_n(&mask.indices[y * 640], 100, 1);
  WriteGif(in("mask.gif"), mask);
  WritePng(in("button.png"), 100, buttonHeight, std::vector<uint32_t>(100 * buttonHeight, 0xFF0000));
  std::string list;
  for (size_t i = 0; i < colours.size(); ++i) {
    const std::string name = "panel" + std::to_string(i);
    WritePng(in(name + ".png"), 640, 480, std::vector<uint32_t>(640 * 480, colours[i]));
    // picture, no strips, textX, no bar, no title box, one button, no chains
    WriteFileText(in(name + ".txt"), name + ".png\n0\n0\n" + std::to_string(textX) +
                                        "\n0\n0\n1\nmask.gif\n1\nbutton.png\n0\n" + std::to_string(buttonY) + "\n1\n" +
                                        std::to_string(command) + "\n0\n");
    list += "DATA/panels/" + name + ".txt\n";
  }
  WriteFileText(in("panels.txt"), list);
}

void WriteStartupFiles(const ReaderPlaces& places) {
  const auto in = [&](const std::string& name) { return InReaderFolder(places, name); };
  WriteFileBytes(places.archive, {});
  WriteFileBytes(in("fixed.fnt"), std::vector<uint8_t>(4096, 0x18));
  std::filesystem::copy_file(TEST_FONT_DIR "/DejaVuSans.ttf", in("arial.ttf"),
                             std::filesystem::copy_options::overwrite_existing);
  WriteFileText(in("fonts.txt"), "DATA/fonts/arial.ttf\n");
  WriteFileText(in("index.art"), "<#TITLE#>Start<#END#>\nThe first article.\n");
  WriteFileText(in("msx.txt"), "1\nDATA/msx/tune.mod\n");
  WriteFileBytes(in("tune.mod"), TinyModule(2));
  WriteFileBytes(in("beg.xm"), TinyModule(2));  // the player goes by the contents
  WritePng(in("cursor.png"), 2, 2, {0xFFFFFF, 0, 0, 0xFFFFFF});
  GifImage plasma{640, 480, std::vector<uint8_t>(640 * 480), std::vector<uint8_t>(768)};
  for (size_t i = 0; i < plasma.indices.size(); ++i) plasma.indices[i] = static_cast<uint8_t>(i % 640 / 3);
  WriteGif(in("plasma.gif"), plasma);
  WritePanels(places, {STARTUP_PANEL_COLOUR}, 0, 0, 100, 1);
  WritePng(in("CoverBeg.png"), 640, 480, std::vector<uint32_t>(640 * 480, STARTUP_OPENING_COLOUR));
  WritePng(in("CoverEnd.png"), 640, 480, std::vector<uint32_t>(640 * 480, STARTUP_CLOSING_COLOUR));
  WritePng(in("EndScroll.png"), 40, 40, std::vector<uint32_t>(40 * 40, STARTUP_SCROLL_COLOUR));
  // The search box: a small picture, its placement and an empty article list.
  WritePng(in("search.png"), 40, 16, std::vector<uint32_t>(40 * 16, 0x808080));
  WriteFileText(in("search.txt"), "0 0 4 12\n");
  WriteFileBytes(in("search.lst"), {});
}

void StartEngine(Reader& reader, const ReaderPlaces& places) {
  ResourceUsePlaces(places);
  VideoStart(reader.Video, reader.CursorImage, reader.Setup);
  reader.Mouse = MouseState{};
  KeyStateCreate(reader.Keys, reader.KeyFlags, reader.KeyTaps);
  EngineCommand(reader, ENGINE_INIT);
}

void StopEngine(Reader& reader) {
  EngineCommand(reader, ENGINE_SHUTDOWN);
  VideoStop(reader.Video, reader.CursorImage);
  ResourceCloseAll();
  ResourceUsePlaces({});
  SDL_Quit();
}

void SkipOpeningCover(Reader& reader) { reader.OpeningCover.Done = 1; }
