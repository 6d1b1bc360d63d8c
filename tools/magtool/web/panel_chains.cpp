#include "magtool/web/panel_chains.h"

#include <algorithm>

#include "magtool/web/site_paths.h"
#include "pictures/draw.h"

namespace {

struct Sheet {
  int32_t cellWidth = 0, cellHeight = 0;
  int32_t frames = 0;  // the cells laid side by side
};

// Frames of several sizes share the largest one's cell, each at its top
// left as the reader draws it; a sheet too large for one picture keeps the
// first frame alone.
Sheet SheetOf(const AniChain& chain) {
  Sheet sheet;
  for (const Picture& frame : chain.frames) {
    sheet.cellWidth = std::max(sheet.cellWidth, frame.width);
    sheet.cellHeight = std::max(sheet.cellHeight, frame.height);
  }
  const auto frames = static_cast<int64_t>(chain.frames.size());
  sheet.frames = PictureSizeIsSane(frames * sheet.cellWidth, sheet.cellHeight, sizeof(uint32_t))
                     ? static_cast<int32_t>(frames)
                     : 1;
  return sheet;
}

std::string SheetFile(int number, size_t chain) {
  return "frame/" + std::to_string(number) + "-chain" + std::to_string(chain) + ".png";
}

// A negative delay holds the first frame in the reader (one of weeks).
bool Moves(const AniChain& chain, const Sheet& sheet) {
  return sheet.frames > 1 && chain.delay > 0;
}

}  // namespace

std::string StripPlace(int32_t x, int32_t y, int32_t width, int32_t height, const Picture& strip) {
  return "left:" + CssShare(x, strip.width) + ";top:" + CssShare(y, strip.height) +
         ";width:" + CssShare(width, strip.width) + ";height:" + CssShare(height, strip.height);
}

void WriteChainSheets(Site& site, const Panel& panel, int number) {
  for (size_t k = 0; k < panel.aniChains.size(); ++k) {
    const AniChain& chain = panel.aniChains[k];
    const Sheet sheet = SheetOf(chain);
    if (sheet.cellWidth < 1 || sheet.cellHeight < 1) continue;
    Picture picture;
    PictureAlloc(picture, sheet.frames * sheet.cellWidth, sheet.cellHeight);
    for (int32_t f = 0; f < sheet.frames; ++f) {
      Blit(chain.frames[static_cast<size_t>(f)], f * sheet.cellWidth, 0, picture, DRAW_KEYED, 1.0f);
    }
    SiteKeyedPicture(site, SheetFile(number, k), picture);
  }
}

std::string ChainsHtml(const Panel& panel, const Picture& strip, const std::string& page,
                       int number, int32_t from) {
  const int32_t to = from + strip.height;
  std::string html;
  for (size_t k = 0; k < panel.aniChains.size(); ++k) {
    const AniChain& chain = panel.aniChains[k];
    const Sheet sheet = SheetOf(chain);
    if (sheet.cellWidth < 1 || chain.y < from || chain.y >= to) continue;
    const bool moves = Moves(chain, sheet);
    html += std::string("<div class=\"chain") + (moves ? " run" : "") + "\" style=\"" +
            StripPlace(chain.x, chain.y - from, sheet.cellWidth,
                       std::min(sheet.cellHeight, to - chain.y), strip) +
            ";background-size:" + std::to_string(sheet.frames * 100) +
            "% 100%;background-image:url(" + Relative(page, SheetFile(number, k)) + ")";
    if (moves) {
      // A sheet of n cells in one cell's box: the position n/(n-1) of the way
      // along lays the sheet's end at the box's left, one turn of frames.
      html += ";--end:" + CssShare(sheet.frames, sheet.frames - 1) +
              ";animation-duration:" + std::to_string(int64_t{chain.delay} * sheet.frames) +
              "ms;animation-timing-function:steps(" + std::to_string(sheet.frames) + ")";
    }
    html += "\"></div>";
  }
  return html;
}
