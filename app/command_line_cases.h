#pragma once

// The rows of the command line's tests, and how each is checked.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"

namespace command_line_cases {

struct Case {
  std::vector<std::string_view> arguments;
  int status;
  const char* out;     // the start of standard output
  const char* errors;  // the start of standard error
  std::optional<int> shownAtScale;
  std::optional<uint64_t> windowId = std::nullopt;
  bool root = false;
  bool fullScreen = false;
  bool settings = false;
  bool screensaver = false;  // started under a screensaver's name
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
  EXPECT_EQ(command.show ? std::optional<int>(command.show->scale) : std::nullopt, c.shownAtScale);
  if (command.show) {
    EXPECT_EQ(command.show->windowId, c.windowId);
    EXPECT_EQ(command.show->root, c.root);
    EXPECT_EQ(command.show->fullScreen, c.fullScreen);
    EXPECT_EQ(command.show->settings, c.settings);
  }
}

}  // namespace command_line_cases
