// What a TrueType face's own tables say about putting it on the web: whether
// its licence lets a subset of it go out (OS/2 fsType, a trademark or a
// Reserved Font Name in the name table, which a subset, a modified face, may
// not carry), and the local faces closest to it, to draw its text with
// until it arrives.
#pragma once

#include <hb.h>

#include <memory>
#include <string>
#include <string_view>

using HbBlob = std::unique_ptr<hb_blob_t, decltype(&hb_blob_destroy)>;
using HbFace = std::unique_ptr<hb_face_t, decltype(&hb_face_destroy)>;

// The first face of a copy of font's bytes.
HbFace FaceOf(std::string_view font);

enum class FaceUse { SUBSET, WHOLE, WITHHELD };

struct FaceTables {
  FaceUse use = FaceUse::SUBSET;
  std::string why;       // why it is not subset
  std::string fallback;  // a CSS family list: its own name, a metric twin, a generic family
};

// Withheld as well when font is no face a browser takes.
FaceTables ReadFaceTables(std::string_view font);
