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

namespace {

void WritePanel(const ReaderPlaces& places) {
  const auto in = [&](const std::string& name) { return InReaderFolder(places, name); };
  WritePng(in("panel.png"), 640, 480, std::vector<uint32_t>(640 * 480, STARTUP_PANEL_COLOUR));
  WritePng(in("exit.png"), 100, 100, std::vector<uint32_t>(100 * 100, 0xFF0000));
  GifImage mask{640, 480, std::vector<uint8_t>(640 * 480), std::vector<uint8_t>(768)};
  for (int y = 0; y < 100; ++y) std::fill_n(&mask.indices[y * 640], 100, 1);
  WriteGif(in("mask.gif"), mask);
  // picture, no strips, textX, no bar, no title box, one button, no chains
  WriteFileText(in("panel.txt"), "panel.png\n0\n0\n0\n0\n0\n1\nmask.gif\n1\n"
                                   "exit.png\n0\n0\n1\n1\n0\n");
  WriteFileText(in("panels.txt"), "DATA/panels/panel.txt\n");
}

}  // namespace

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
  WritePanel(places);
  WritePng(in("CoverBeg.png"), 640, 480, std::vector<uint32_t>(640 * 480, STARTUP_OPENING_COLOUR));
  WritePng(in("CoverEnd.png"), 640, 480, std::vector<uint32_t>(640 * 480, STARTUP_CLOSING_COLOUR));
  WritePng(in("EndScroll.png"), 40, 40, std::vector<uint32_t>(40 * 40, STARTUP_SCROLL_COLOUR));
  // The search box (read by SearchInit): a small picture, its placement and
  // an empty article list.
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
