#include "magtool/web/woff2_face.h"

#include <fcntl.h>
#include <hb-subset.h>
#include <unistd.h>
#include <woff2/encode.h>

#include <cstdint>

#include "magtool/web/face_tables.h"

namespace {

std::string Subset(std::string_view font, const std::vector<char32_t>& characters) {
  const HbFace face = FaceOf(font);
  const std::unique_ptr<hb_subset_input_t, decltype(&hb_subset_input_destroy)> input(
      hb_subset_input_create_or_fail(), hb_subset_input_destroy);
  if (!input) return {};
  hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t c : characters) hb_set_add(unicodes, c);
  const HbFace subset(hb_subset_or_fail(face.get(), input.get()), hb_face_destroy);
  if (!subset) return {};
  const HbBlob blob(hb_face_reference_blob(subset.get()), hb_blob_destroy);
  unsigned length = 0;
  const char* data = hb_blob_get_data(blob.get(), &length);
  return {data, length};
}

// Debian's libwoff2enc tells each font's sizes on standard error: this
// keeps them off the editor's screen while it lives.
class QuietStderr {
 public:
  QuietStderr() : saved_(dup(STDERR_FILENO)) {
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    if (saved_ < 0) return;
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_;
};

std::string Woff2(std::string_view font) {
  const auto* data = reinterpret_cast<const uint8_t*>(font.data());
  std::string woff2(woff2::MaxWOFF2CompressedSize(data, font.size()), '\0');
  size_t length = woff2.size();
  const QuietStderr quiet;
  if (font.empty() || !woff2::ConvertTTFToWOFF2(
                          data, font.size(), reinterpret_cast<uint8_t*>(woff2.data()), &length)) {
    return {};
  }
  woff2.resize(length);
  return woff2;
}

}  // namespace

std::string Woff2Face(std::string_view font, const std::vector<char32_t>* characters) {
  return Woff2(characters != nullptr ? Subset(font, *characters) : std::string(font));
}
