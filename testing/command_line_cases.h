#pragma once

// The rows of the command line's tests, and how each is checked.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace command_line_cases {

using Shown = host::ShowOptions;

struct Case {
  std::vector<std::string_view> arguments;
  bool screensaver = false;  // started under a screensaver's name
  int status = 0;
  const char* out = "";                       // the start of standard output
  const char* errors = "";                    // the start of standard error
  std::optional<Shown> shown = std::nullopt;  // how the window is shown, where it is
};

inline void Expect(const Case& c) {
  std::string joined = c.screensaver ? "(.scr) " : "";
  for (auto argument : c.arguments) joined += std::string(argument) + " ";
  SCOPED_TRACE(joined);
  const CommandLine command = ReadCommandLine(c.arguments, c.screensaver);
  EXPECT_EQ(command.show ? 0 : command.status, c.status);
  EXPECT_EQ(command.out.rfind(c.out, 0), 0u) << command.out;
  EXPECT_EQ(command.errors.rfind(c.errors, 0), 0u) << command.errors;
  if (c.status == 2) {
    EXPECT_NE(command.errors.find("Usage: "), std::string::npos);
  }
  if (*c.out == '\0') {
    EXPECT_EQ(command.out, "");
  }
  if (*c.errors == '\0') {
    EXPECT_EQ(command.errors, "");
  }
  EXPECT_EQ(command.show, c.shown);
}

}  // namespace command_line_cases

namespace host {

inline void PrintTo(const ShowOptions& shown, std::ostream* out) {
  *out << "scale " << shown.scale << (shown.windowId ? ", window " + std::to_string(*shown.windowId) : "")
       << (shown.root ? ", root" : "") << (shown.fullScreen ? ", full screen" : "")
       << (shown.settings ? ", settings" : "");
}

}  // namespace host
