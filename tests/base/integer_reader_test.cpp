#include "base/integer_reader.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  std::optional<int64_t> value;  // none: refused
  size_t rest;                   // characters left after a read
};

// TakeInt reads as "%i", TakeHex as "%x"; a refusal consumes nothing.
TEST(IntegerReaderTest, IntAndHexReadAsScanfDoes) {
  const Case ints[] = {
      {" \t\n-17 px", -17, 3}, {"+8", 8, 0},     {"010", 8, 0},
      {"09", 0, 1},            {"0x1F", 31, 0},  {"-0X10z", -16, 1},
      {"0xg", 0, 2},           {"", {}, 0},      {"x1", {}, 0},
      {"- 5", {}, 0},          {"2147483647", INT32_MAX, 0},
      {"-2147483648", INT32_MIN, 0},             {"2147483648", {}, 0},
      {"-2147483649", {}, 0},                    {"0x80000000", {}, 0},
      {"4294967297", {}, 0},                     {"99999999999999999999999", {}, 0},
      {"017777777777", INT32_MAX, 0},            {"020000000000", {}, 0},
  };
  const Case hexes[] = {
      {" 0xff0000 ", 0xFF0000, 1}, {"0XaB", 0xAB, 0},     {"+1f", 0x1F, 0},
      {"-1", 0xFFFFFFFF, 0},       {"0xg", 0, 2},         {"FFFFFFFF", UINT32_MAX, 0},
      {"100000000", {}, 0},        {"-100000000", {}, 0}, {"g", {}, 0},
  };
  const auto check = [](const Case& c, auto take) {
    std::string_view text = c.text;
    const auto read = take(text);
    EXPECT_EQ(read ? std::optional<int64_t>(*read) : std::nullopt, c.value) << c.text;
    EXPECT_EQ(text.size(), read ? c.rest : std::string_view(c.text).size()) << c.text;
  };
  for (const Case& c : ints) check(c, TakeInt);
  for (const Case& c : hexes) check(c, TakeHex);
}

// Command-line values and typed digits: the whole text, in range, or nothing.
TEST(IntegerReaderTest, DecimalsAreWholeAndInRange) {
  const Case cases[] = {{"4", 4, 0},  {"+2", 2, 0},    {"-1", {}, 0}, {"5", {}, 0},
                        {"2 ", {}, 0}, {" 2", {}, 0},  {"0x2", {}, 0}, {"", {}, 0}};
  for (const Case& c : cases) EXPECT_EQ(ParseDecimal(c.text, 0, 4), c.value) << c.text;
  EXPECT_EQ(ParseDecimal("4294967295", 0, UINT32_MAX), int64_t{UINT32_MAX});
  EXPECT_EQ(ParseDecimal("99999999999999999999", 0, UINT32_MAX), std::nullopt);
}

}  // namespace
