// The text files of a new issue, each a path below the issue's folder and its
// contents: the contents page, help, main menu and editor's articles (saved
// in UTF-8, the name in them; the editor's one says what to edit next), the
// issue's name file, the music list and the search list.
#pragma once

#include <string>
#include <vector>

struct IssueText {
  std::string path;  // "DATA/..."
  std::string text;
};

// name in UTF-8, free of markup characters.
std::vector<IssueText> NewIssueTexts(const std::string& name);
