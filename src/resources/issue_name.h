// The issue's own name, from the optional member DATA/configs/issue.txt: its
// first line is "name=" and the name, saved in UTF-8 or Windows-1252; later
// lines are free for notes. The name is 1 to ISSUE_NAME_MAX_CHARS characters
// without control characters, so that it fits the setup dialog's width. The
// reader shows it in its window's caption and its setup dialog; a file it
// cannot use is left aside as if it were missing (magtool check says why).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

constexpr const char* ISSUE_FILE_PATH = "DATA/configs/issue.txt";
constexpr const char* ISSUE_NAME_KEY = "name=";
constexpr size_t ISSUE_NAME_MAX_CHARS = 40;

struct IssueName {
  std::string name;               // in the engine's 8-bit text; empty when there is none
  const char* problem = nullptr;  // why the file was left aside; null when used or missing
};

// The name in the file; fatal errors of the archive pass through.
IssueName ReadIssueName();

// Why name (in the engine's 8-bit text) cannot be an issue's name; null when it can.
const char* IssueNameProblem(std::string_view name);
