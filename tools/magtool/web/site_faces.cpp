#include "magtool/web/site_faces.h"

#include <strings.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "base/text_encoding.h"
#include "magtool/web/face_tables.h"
#include "magtool/web/site_paths.h"
#include "magtool/web/woff2_face.h"
#include "resources/byte_reader.h"
#include "resources/resource_file.h"

namespace fs = std::filesystem;

namespace {

std::string MemberBytes(const std::string& path) {
  const ResourceFile member(path);
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(member.name(), bytes)) return {};
  return {bytes.begin(), bytes.end()};
}

std::vector<char32_t> Characters(const std::bitset<256>& drawn) {
  std::vector<char32_t> characters;
  for (int c = 0; c < 256; ++c) {
    if (drawn[c]) characters.push_back(Windows1252Point(static_cast<unsigned char>(c)));
  }
  return characters;
}

// fonts/NAME.woff2 from the face's file name; the face's number added when
// an earlier face took that name.
std::string FaceFile(const Site& site, const std::string& path) {
  const std::string stem = "fonts/" + SiteName(fs::path(path).stem().string());
  for (const SiteFace& face : site.faces) {
    if (face.file == stem + ".woff2") {
      return stem + "-" + std::to_string(site.faces.size()) + ".woff2";
    }
  }
  return stem + ".woff2";
}

}  // namespace

void ListFaces(Site& site, const RenderResources& loaded) {
  for (const auto& font : loaded.fontManager->fonts) {
    const int index = static_cast<int>(site.faces.size());
    const FaceTables tables = ReadFaceTables(MemberBytes(font->name));
    SiteFace face{font->name, {}, tables.use == FaceUse::SUBSET, tables.fallback, tables.why, {}};
    if (tables.use == FaceUse::WITHHELD) {
      std::fprintf(stderr,
                   "magtool: warning: %s stays out of the site (%s); its text is set in "
                   "a local face\n",
                   font->name.c_str(), tables.why.c_str());
    } else {
      face.file = FaceFile(site, font->name);
      face.family = "f" + std::to_string(index) + "," + face.family;
    }
    if (strcasecmp(font->name.c_str(), FALLBACK_FONT) == 0) site.sansFace = index;
    site.faces.push_back(face);
  }
}

std::string WriteFaces(Site& site) {
  std::string css;
  for (size_t i = 0; i < site.faces.size(); ++i) {
    const SiteFace& face = site.faces[i];
    if (face.file.empty() || face.drawn.none()) continue;
    const std::vector<char32_t> characters = Characters(face.drawn);
    const std::string woff2 =
        Woff2Face(MemberBytes(face.path), face.subset ? &characters : nullptr);
    if (woff2.empty()) {
      std::fprintf(stderr, "magtool: %s: cannot be made a WOFF2 face\n", face.path.c_str());
      site.failed = true;
      continue;
    }
    WriteSiteFile(site, face.file, woff2);
    if (!face.subset) {
      std::fprintf(stderr, "magtool: note: %s goes whole (%s)\n", face.path.c_str(),
                   face.whole.c_str());
    }
    css += "@font-face{font-family:f" + std::to_string(i) + ";src:url(" + face.file +
           ") format(\"woff2\");font-display:swap}\n";
  }
  return css;
}
