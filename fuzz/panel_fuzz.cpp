// Fuzzes the panel parser: the input is the one panel "p.txt" the list names,
// beside a few pictures, a mask, an AniChain and a button animation. Fatal
// errors are expected; crashes, overruns, leaks and allocations sized by a
// count are findings.
#include <string>
#include <vector>

#include "engine/panel_list.h"
#include "fuzz_support.h"
#include "generators/bmp_writer.h"
#include "resources/archive.h"

namespace {

constexpr int PICTURE_SIDE = 4;  // the mask's size too

std::vector<uint8_t> SquareBmp(int side, uint8_t shade) {
  return EncodeBmp24(side, side, std::vector<uint32_t>(side * side, shade * 0x010101u));
}

// 4 x 4, four colours, mask values 0..3 in its quarters.
const uint8_t kMaskGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x04, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00,
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00,
    0x04, 0x00, 0x00, 0x02, 0x07, 0x04, 0x12, 0x86, 0x22, 0x33, 0xEC, 0x0A, 0x00, 0x3B};

void WriteText(const char* name, const std::string& text) {
  WriteInput(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void WriteBytes(const char* name, const std::vector<uint8_t>& bytes) {
  WriteInput(name, bytes.data(), bytes.size());
}

bool WriteFixtures() {
  WriteInput(RESOURCE_ARCHIVE_FILE, nullptr, 0);
  WriteBytes("a.bmp", SquareBmp(PICTURE_SIDE, 0x80));
  WriteBytes("s.bmp", SquareBmp(1, 0xFF));
  WriteInput("m.gif", kMaskGif, sizeof kMaskGif);
  WriteText("c.txt", "2 50 1 1\na.bmp\ns.bmp\n");
  WriteText("b.ani", "s.bmp\na.bmp\n");
  WriteText("panels.txt", "p.txt\n");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EnterScratchDir(ThrowOnFatal);
  static const bool ready = WriteFixtures();
  (void)ready;
  WriteInput("p.txt", data, size);
  PanelArray panels;
  AllowFatal([&] { ParsePanels(panels); });
  PanelListDestroy(panels);
  ResourceCloseAll();
  return 0;
}
