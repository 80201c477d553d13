#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/form.h"

// What the program's arguments ask for, read in the GNU manner: to show the
// window with the options given, or to print and end at once.
struct CommandLine {
  std::optional<host::ShowOptions> show;  // empty: end at once with status
  int status = 0;                         // 2 for arguments that cannot be taken
  std::string out;                        // for standard output: the usage or the version
  std::string errors;                     // for standard error: a one-line complaint and the usage
};

// Reads the arguments that follow the program's name; screensaver is
// whether that name is a Windows screensaver's (NAME.scr).
CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments, bool screensaver = false);

// Whether a program's name, as started, is a Windows screensaver's.
bool IsScreensaverName(std::string_view program);
