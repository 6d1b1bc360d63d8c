#include "base/line_reader.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::string_literals;

struct Case {
  std::string text;
  size_t maxChars;
  std::vector<std::string> lines;  // a cut whole line is marked with a trailing '+'
};

std::vector<std::string> Read(const std::string& text, size_t maxChars, bool whole) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      fmemopen(const_cast<char*>(text.data()), text.size(), "rb"), std::fclose);
  std::vector<std::string> lines;
  if (whole) {
    while (const auto line = ReadWholeLine(file.get(), maxChars)) {
      lines.push_back(line->text + (line->cut ? "+" : ""));
    }
  } else {
    while (const auto piece = ReadLine(file.get(), maxChars)) lines.push_back(*piece);
  }
  return lines;
}

TEST(LineReaderTest, PiecesAsFgetsHandsThemOut) {
  const Case cases[] = {{"ab\ncd", 3, {"ab\n", "cd"}},
                        {"abcd\n", 3, {"abc", "d\n"}},
                        {"a\0b\n\n"s, 9, {"a\0b\n"s, "\n"}},
                        {"", 3, {}}};
  for (const Case& c : cases) EXPECT_EQ(Read(c.text, c.maxChars, false), c.lines) << c.text;
}

TEST(LineReaderTest, WholeLinesKeepTheirFirstCharacters) {
  const Case cases[] = {{"abc\nabcd\nx", 3, {"abc", "abc+", "x"}},
                        {"\n\r\nabcdef", 3, {"", "\r", "abc+"}}};
  for (const Case& c : cases) EXPECT_EQ(Read(c.text, c.maxChars, true), c.lines) << c.text;
}

TEST(LineReaderTest, ListNameEndsAtTheFirstControl) {
  for (const std::string& line : {"p a\tb"s, "p a\0b"s, "p a\r\n"s, "p a"s}) {
    EXPECT_EQ(ListName(line), "p a");
  }
}

}  // namespace
