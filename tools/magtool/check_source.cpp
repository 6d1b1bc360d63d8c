#include "magtool/check_source.h"

#include <cctype>
#include <cstdio>

#include "base/integer_reader.h"

namespace {

constexpr const char* COLOUR_TAGS[] = {"<#COLOR:", "<#ACLC:", "<#VISLC:"};

// The reader reads the hexadecimal digits the value starts with and no
// further: "blue" is 0x0B.
void CheckColours(CheckReport& report, const CheckSite& site, const std::string& text) {
  for (const char* tag : COLOUR_TAGS) {
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
      const size_t from = at + std::char_traits<char>::length(tag);
      const size_t end = text.find("#>", from);
      if (end == std::string::npos) continue;
      const std::string value = text.substr(from, end - from);
      const size_t digits = value.starts_with("0x") || value.starts_with("0X") ? 2 : 0;
      bool hex = value.size() > digits;
      for (size_t i = digits; i < value.size(); ++i) hex = hex && std::isxdigit(value[i]) != 0;
      if (hex) continue;
      char read[16];
      std::snprintf(read, sizeof read, "%06X", ParseHex(value).value_or(0));
      report.Warn(site, text.substr(at, end + 2 - at) + ": \"" + value +
                            "\" is no hexadecimal colour; the reader reads it as " + read +
                            ": write the colour as RRGGBB, as in <#COLOR:FFD040#>");
    }
  }
}

void CheckTabs(CheckReport& report, const CheckSite& site, const std::string& text) {
  const size_t tab = text.find('\t');
  if (tab == std::string::npos) return;
  report.Warn(site, "tab character at column " + std::to_string(tab + 1) +
                        ": the reader draws it as a wide gap, inside a justified line or over a "
                        "picture beside the text; use spaces, or <#GOTO:x#> to place text");
}

}  // namespace

void CheckSource(CheckReport& report, const std::string& path,
                 const std::vector<MemberLine>& source) {
  for (const MemberLine& line : source) {
    const CheckSite site{path, line.line};
    CheckColours(report, site, line.text);
    CheckTabs(report, site, line.text);
  }
}
