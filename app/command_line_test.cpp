#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "testing/command_line_cases.h"

namespace {

TEST(CommandLine, ArgumentsGiveTheirExitStatusOutputAndOptions) {
  using command_line_cases::Shown;
  const command_line_cases::Case cases[] = {
      {.arguments = {}, .shown = Shown{}},
      {.arguments = {"--scale", "3"}, .shown = Shown{.scale = 3}},
      {.arguments = {"--scale=8"}, .shown = Shown{.scale = 8}},
      {.arguments = {"--scale", "2", "--scale", "1"}, .shown = Shown{.scale = 1}},
      {.arguments = {"--help"}, .out = "Usage: fractal-tree [OPTION]...\n"},
      {.arguments = {"--scale", "2", "--version"}, .out = "fractal-tree 1.0.0\n"},
      {.arguments = {"--scale"}, .status = 2, .errors = "fractal-tree: --scale needs a number\nUsage: "},
      {.arguments = {"--scale", "0"},
       .status = 2,
       .errors = "fractal-tree: --scale takes a whole number from 1 to 8, not '0'\nUsage: "},
      {.arguments = {"--scale=9"}, .status = 2, .errors = "fractal-tree: --scale takes"},
      {.arguments = {"--scale", "2x"}, .status = 2, .errors = "fractal-tree: --scale takes"},
      {.arguments = {"--scale", "-1"}, .status = 2, .errors = "fractal-tree: --scale takes"},
      {.arguments = {"--scale="}, .status = 2, .errors = "fractal-tree: --scale takes"},
      {.arguments = {"--scale", "9"},
       .status = 2,
       .errors = "fractal-tree: --scale takes a whole number from 1 to 8, not '9'\n"},
      {.arguments = {"--help=yes"}, .status = 2, .errors = "fractal-tree: unknown argument '--help=yes'\nUsage: "},
      {.arguments = {"-h"}, .status = 2, .errors = "fractal-tree: unknown argument '-h'\n"},
      {.arguments = {"tree.png"}, .status = 2, .errors = "fractal-tree: unknown argument 'tree.png'\n"},
  };
  for (const auto& c : cases) command_line_cases::Expect(c);
}

TEST(CommandLine, AScreensaversNameEndsInScrInAnyCase) {
  for (const auto& [name, screensaver] :
       std::vector<std::pair<std::string_view, bool>>{{"fractal-tree.scr", true},
                                                      {"C:\\Windows\\FRACTAL-TREE.SCR", true},
                                                      {"fractal-tree.exe", false},
                                                      {"fractal-tree", false},
                                                      {"scr", false},
                                                      {"", false}}) {
    EXPECT_EQ(IsScreensaverName(name), screensaver) << name;
  }
}

}  // namespace
