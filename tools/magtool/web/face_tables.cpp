#include "magtool/web/face_tables.h"

#include <hb-ot.h>
#include <strings.h>

#include <cctype>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

constexpr hb_tag_t OS2 = HB_TAG('O', 'S', '/', '2');
constexpr hb_tag_t POST = HB_TAG('p', 'o', 's', 't');
constexpr unsigned FS_TYPE = 8, PANOSE = 32, IS_FIXED_PITCH = 12;  // byte offsets
constexpr uint16_t USAGE = 0x000F, RESTRICTED = 0x0002, NO_SUBSETTING = 0x0100,
                   BITMAP_ONLY = 0x0200;
constexpr hb_ot_name_id_t COPYRIGHT = 0, FAMILY = 1, TRADEMARK = 7, LICENCE = 13;

// Faces drawn to the same advance widths: a line set in one keeps its length in the other.
constexpr std::pair<const char*, const char*> TWINS[] = {
    {"Liberation Sans", "Arial"},
    {"Liberation Serif", "Times New Roman"},
    {"Liberation Mono", "Courier New"},
    {"DejaVu Sans Mono", "Bitstream Vera Sans Mono"}};

// The big-endian 16-bit field at offset of the table, 0 past its end.
uint16_t Field(hb_face_t* face, hb_tag_t tag, unsigned offset) {
  const HbBlob table(hb_face_reference_table(face, tag), hb_blob_destroy);
  unsigned length = 0;
  const auto* data = reinterpret_cast<const uint8_t*>(hb_blob_get_data(table.get(), &length));
  return offset + 2 <= length ? static_cast<uint16_t>(data[offset] << 8 | data[offset + 1]) : 0;
}

std::string Name(hb_face_t* face, hb_ot_name_id_t id) {
  unsigned size = hb_ot_name_get_utf8(face, id, HB_LANGUAGE_INVALID, nullptr, nullptr) + 1;
  std::string text(size, '\0');
  hb_ot_name_get_utf8(face, id, HB_LANGUAGE_INVALID, &size, text.data());
  text.resize(size);
  return text;
}

bool Mentions(const std::string& text, const char* words) {
  return strcasestr(text.c_str(), words) != nullptr;
}

// The name quoted for a CSS family list, a comma after it, kept to
// characters that cannot end the string or the style; empty for none.
std::string Quoted(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0 || c == ' ' || c == '-' || c == '.') {
      quoted += c;
    }
  }
  return quoted.size() > 1 ? quoted + "\"," : "";
}

// monospace for a fixed pitch, serif for PANOSE's Latin text with serifs, else sans-serif.
const char* Generic(hb_face_t* face) {
  if ((Field(face, POST, IS_FIXED_PITCH) | Field(face, POST, IS_FIXED_PITCH + 2)) != 0) {
    return "monospace";
  }
  const uint16_t panose = Field(face, OS2, PANOSE);
  const int kind = panose >> 8, serif = panose & 0xFF;
  return kind == 2 && serif >= 2 && serif <= 10 ? "serif" : "sans-serif";
}

std::string Fallback(hb_face_t* face) {
  const std::string family = Name(face, FAMILY);
  std::string list = Quoted(family);
  for (const auto& [one, other] : TWINS) {
    if (strcasecmp(family.c_str(), one) == 0) list += Quoted(other);
    if (strcasecmp(family.c_str(), other) == 0) list += Quoted(one);
  }
  return list + Generic(face);
}

std::pair<FaceUse, const char*> Use(hb_face_t* face) {
  const uint16_t type = Field(face, OS2, FS_TYPE);
  if ((type & USAGE) == RESTRICTED) return {FaceUse::WITHHELD, "its licence forbids embedding it"};
  if ((type & BITMAP_ONLY) != 0) return {FaceUse::WITHHELD, "it may be embedded as bitmaps only"};
  if ((type & NO_SUBSETTING) != 0) return {FaceUse::WHOLE, "its licence forbids subsetting it"};
  if (!Name(face, TRADEMARK).empty()) {
    return {FaceUse::WHOLE, "a subset may not carry its trademarked name"};
  }
  if (Mentions(Name(face, COPYRIGHT) + Name(face, LICENCE), "Reserved Font Name")) {
    return {FaceUse::WHOLE, "a subset may not carry its Reserved Font Name"};
  }
  return {FaceUse::SUBSET, ""};
}

}  // namespace

HbFace FaceOf(std::string_view font) {
  const HbBlob blob(hb_blob_create(font.data(), static_cast<unsigned>(font.size()),
                                   HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr),
                    hb_blob_destroy);
  return {hb_face_create(blob.get(), 0), hb_face_destroy};
}

FaceTables ReadFaceTables(std::string_view font) {
  const HbFace face = FaceOf(font);
  FaceTables tables;
  tables.fallback = Fallback(face.get());
  if (hb_face_get_glyph_count(face.get()) == 0) {
    tables.use = FaceUse::WITHHELD;
    tables.why = "it is no TrueType or OpenType face";
    return tables;
  }
  const auto [use, why] = Use(face.get());
  tables.use = use;
  tables.why = why;
  return tables;
}
