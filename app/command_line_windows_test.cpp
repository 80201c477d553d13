#include <gtest/gtest.h>

#include <string>

#include "testing/command_line_cases.h"

namespace {

// As Windows starts a screensaver: full screen, a preview in a window given
// by its handle in decimal, or its settings.
TEST(CommandLine, ScreensaverArgumentsInEitherCaseAndWithAColon) {
  using command_line_cases::Shown;
  const command_line_cases::Case cases[] = {
      {.arguments = {"/s"}, .shown = Shown{.fullScreen = true}},
      {.arguments = {"/S"}, .shown = Shown{.fullScreen = true}},
      {.arguments = {"-s"}, .shown = Shown{.fullScreen = true}},
      {.arguments = {"/p", "1234"}, .shown = Shown{.windowId = 1234}},
      {.arguments = {"/P:1234"}, .shown = Shown{.windowId = 1234}},
      {.arguments = {"/p"}, .status = 2, .errors = "fractal-tree: /p needs a window's handle\n"},
      {.arguments = {"/p", "junk"}, .status = 2, .errors = "fractal-tree: /p takes a window's handle, not 'junk'\n"},
      {.arguments = {"/c"}, .shown = Shown{.settings = true}},
      {.arguments = {"/c:5678"}, .shown = Shown{.windowId = 5678, .settings = true}},
      {.arguments = {"/C:0"}, .status = 2, .errors = "fractal-tree: /c takes a window's handle, not '0'\n"},
      {.arguments = {}, .screensaver = true, .shown = Shown{.settings = true}},
      {.arguments = {}, .shown = Shown{}},
      {.arguments = {"/s"}, .screensaver = true, .shown = Shown{.fullScreen = true}},
      {.arguments = {"/x"}, .status = 2, .errors = "fractal-tree: unknown argument '/x'\n"},
      {.arguments = {"/sx"}, .status = 2, .errors = "fractal-tree: unknown argument '/sx'\n"},
      {.arguments = {"--window-id", "5"}, .status = 2, .errors = "fractal-tree: unknown argument '--window-id'\n"},
      {.arguments = {"--root"}, .status = 2, .errors = "fractal-tree: unknown argument '--root'\n"},
  };
  for (const auto& c : cases) command_line_cases::Expect(c);
}

TEST(CommandLine, UsageListsOnlyWhatWorksOnWindows) {
  const std::string usage = ReadCommandLine({"--help"}).out;
  for (const char* option : {"/s", "/p HWND", "/c", "--scale N", "--help", "--version"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
  for (const char* option : {"--window-id", "--root", "X window"}) EXPECT_EQ(usage.find(option), std::string::npos);
}

}  // namespace
