#include "base/text_encoding.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  std::string bytes;
  std::optional<std::string> text;  // none: read as it is
  std::vector<int32_t> unmappedLines;
};

TEST(TextEncodingTest, OnlyWholeUtf8FilesAreConverted) {
  const Case cases[] = {
      {"plain\n", {}, {}},
      {"caf\xE9 \x80\x92\n", {}, {}},  // Windows-1252 already
      {"caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x99 \xC5\x93\n", "caf\xE9 \x80\x92 \x9C\n", {}},
      {"\xEF\xBB\xBFplain", "plain", {}},
      {"\xEF\xBB\xBF", "", {}},
      {"\xEF\xBB\xBF" "a\n\xE4\xB8\xAD\xF0\x9F\x98\x80\n\n\xC2\x81\xC3\xA9", "a\n??\n\n?\xE9", {2, 4}},
      {"a\n\xE4\xB8\xAD\n\xC3\xA9", {}, {}},  // unmarked, with a character Windows-1252 lacks
      {"Gru\xDF\x85", {}, {}},                  // Windows-1252 that is UTF-8 by chance
      {"\xC3\xA9\xC0\xAF", {}, {}},          // overlong '/'
      {"\xC3\xA9\xE0\x80\xAF", {}, {}},      // overlong in three bytes
      {"\xC3\xA9\xED\xA0\x80", {}, {}},      // a surrogate
      {"\xC3\xA9\xF4\x90\x80\x80", {}, {}},  // past U+10FFFF
      {"\xC3\xA9\xE2\x82", {}, {}},          // cut short at the end
      {"caf\xC3\n\xA9", {}, {}},             // split by a line break
      {"\xEF\xBB\xBF\xE9", {}, {}},
  };
  for (const Case& c : cases) {
    const std::optional<Windows1252Text> read = Windows1252FromUtf8(c.bytes);
    ASSERT_EQ(read.has_value(), c.text.has_value()) << c.bytes;
    if (!read) continue;
    EXPECT_EQ(read->text, *c.text);
    EXPECT_EQ(read->unmappedLines, c.unmappedLines) << c.bytes;
    // and back again, where nothing was lost
    const size_t bom = c.bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (c.unmappedLines.empty()) {
      EXPECT_EQ(Utf8FromWindows1252(read->text), c.bytes.substr(bom));
    }
  }
}

TEST(TextEncodingTest, SlipsAreFoundWhereTheyAre) {
  const auto slip = [](const std::string& bytes) {
    const std::optional<EncodingSlip> found = FindEncodingSlip(bytes);
    return found ? std::vector<int32_t>{found->line, found->column, static_cast<int32_t>(found->point),
                                        found->stray}
                 : std::vector<int32_t>{};
  };
  EXPECT_EQ(slip("caf\xC3\xA9\nd\xE9j\xE0"), (std::vector<int32_t>{2, 2, 0xE9, 1}));  // mixed
  EXPECT_EQ(slip("\xEF\xBB\xBFSnow\xE2\x98\x83"), (std::vector<int32_t>{1, 5, 0x2603, 0}));
  EXPECT_EQ(slip("caf\xE9 \x80"), std::vector<int32_t>{});  // Windows-1252 throughout
  EXPECT_EQ(slip("caf\xC3\xA9"), std::vector<int32_t>{});
}

}  // namespace
