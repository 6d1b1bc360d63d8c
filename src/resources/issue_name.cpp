#include "resources/issue_name.h"

#include <algorithm>
#include <optional>

#include "base/line_reader.h"
#include "resources/resource_file.h"

const char* IssueNameProblem(std::string_view name) {
  if (name.empty()) return "the issue's name is empty";
  if (name.size() > ISSUE_NAME_MAX_CHARS) return "the issue's name is longer than 40 characters";
  const bool control = std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
  });
  return control ? "the issue's name holds a control character" : nullptr;
}

IssueName ReadIssueName() {
  const ResourceFile member(ISSUE_FILE_PATH);
  const FilePtr file = member.OpenText();
  if (!file) return {};
  // One character past the limit is enough to tell a name that is too long.
  const std::optional<WholeLine> line =
      ReadWholeLine(file.get(), std::string_view(ISSUE_NAME_KEY).size() + ISSUE_NAME_MAX_CHARS + 1);
  std::string text = line ? line->text : "";
  if (!text.empty() && text.back() == '\r') text.pop_back();
  if (!text.starts_with(ISSUE_NAME_KEY)) return {"", "the first line must be name=NAME"};
  text.erase(0, std::string_view(ISSUE_NAME_KEY).size());
  if (const char* problem = IssueNameProblem(text)) return {"", problem};
  return {text, nullptr};
}
