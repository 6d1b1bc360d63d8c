#include "base/line_reader.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace std::string_literals;

// Pieces as fgets hands them out, or whole lines whose cut is marked with a '+'.
std::vector<std::string> Read(const std::string& text, size_t maxChars, bool whole) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(
      fmemopen(const_cast<char*>(text.data()), text.size(), "rb"), std::fclose);
  std::vector<std::string> lines;
  if (whole) {
    while (const auto line = ReadWholeLine(file.get(), maxChars))
      lines.push_back(line->text + (line->cut ? "+" : ""));
  } else {
    while (const auto piece = ReadLine(file.get(), maxChars)) lines.push_back(*piece);
  }
  return lines;
}

TEST(LineReaderTest, PiecesWholeLinesAndListNames) {
  struct Case { std::string text; size_t maxChars; bool whole; std::vector<std::string> lines; };
  const Case cases[] = {{"ab\ncd", 3, false, {"ab\n", "cd"}},
                        {"abcd\n", 3, false, {"abc", "d\n"}},
                        {"a\0b\n\n"s, 9, false, {"a\0b\n"s, "\n"}},
                        {"", 3, false, {}},
                        {"abc\nabcd\nx", 3, true, {"abc", "abc+", "x"}},
                        {"\n\r\nabcdef", 3, true, {"", "\r", "abc+"}}};
  for (const Case& c : cases) EXPECT_EQ(Read(c.text, c.maxChars, c.whole), c.lines) << c.text;
  for (const std::string& line : {"p a\tb"s, "p a\0b"s, "p a\r\n"s, "p a"s}) {
    EXPECT_EQ(ListName(line), "p a");
  }
}

}  // namespace
