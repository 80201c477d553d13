#include <gtest/gtest.h>

#include <string>

#include "app/command_line_cases.h"

namespace {

// As Windows starts a screensaver: full screen, a preview in a window given
// by its handle in decimal, or its settings.
TEST(CommandLine, ScreensaverArgumentsInEitherCaseAndWithAColon) {
  const command_line_cases::Case cases[] = {
      {{"/s"}, 0, "", "", 0, std::nullopt, false, true},
      {{"/S"}, 0, "", "", 0, std::nullopt, false, true},
      {{"-s"}, 0, "", "", 0, std::nullopt, false, true},
      {{"/p", "1234"}, 0, "", "", 0, 1234},
      {{"/P:1234"}, 0, "", "", 0, 1234},
      {{"/p"}, 2, "", "fractal-tree: /p needs a window's handle\n", std::nullopt},
      {{"/p", "junk"}, 2, "", "fractal-tree: /p takes a window's handle, not 'junk'\n", std::nullopt},
      {{"/c"}, 0, "", "", 0, std::nullopt, false, false, true},
      {{"/c:5678"}, 0, "", "", 0, 5678, false, false, true},
      {{"/C:0"}, 2, "", "fractal-tree: /c takes a window's handle, not '0'\n", std::nullopt},
      {{}, 0, "", "", 0, std::nullopt, false, false, true, true},
      {{}, 0, "", "", 0, std::nullopt, false, false, false, false},
      {{"/s"}, 0, "", "", 0, std::nullopt, false, true, false, true},
      {{"/x"}, 2, "", "fractal-tree: unknown argument '/x'\n", std::nullopt},
      {{"/sx"}, 2, "", "fractal-tree: unknown argument '/sx'\n", std::nullopt},
      {{"--window-id", "5"}, 2, "", "fractal-tree: unknown argument '--window-id'\n", std::nullopt},
      {{"--root"}, 2, "", "fractal-tree: unknown argument '--root'\n", std::nullopt},
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
