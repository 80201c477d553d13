#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string_view>
#include <utility>
#include <vector>

#include "app/command_line_cases.h"

namespace {

TEST(CommandLine, ArgumentsGiveTheirExitStatusOutputAndOptions) {
  const command_line_cases::Case cases[] = {
      {{}, 0, "", "", 0},
      {{"--scale", "3"}, 0, "", "", 3},
      {{"--scale=8"}, 0, "", "", 8},
      {{"--scale", "2", "--scale", "1"}, 0, "", "", 1},
      {{"--help"}, 0, "Usage: fractal-tree [OPTION]...\n", "", std::nullopt},
      {{"--scale", "2", "--version"}, 0, "fractal-tree 1.0.0\n", "", std::nullopt},
      {{"--scale"}, 2, "", "fractal-tree: --scale needs a number\nUsage: ", std::nullopt},
      {{"--scale", "0"},
       2,
       "",
       "fractal-tree: --scale takes a whole number from 1 to 8, not '0'\nUsage: ",
       std::nullopt},
      {{"--scale=9"}, 2, "", "fractal-tree: --scale takes", std::nullopt},
      {{"--scale", "2x"}, 2, "", "fractal-tree: --scale takes", std::nullopt},
      {{"--scale", "-1"}, 2, "", "fractal-tree: --scale takes", std::nullopt},
      {{"--scale="}, 2, "", "fractal-tree: --scale takes", std::nullopt},
      {{"--scale", "9"}, 2, "", "fractal-tree: --scale takes a whole number from 1 to 8, not '9'\n", std::nullopt},
      {{"--help=yes"}, 2, "", "fractal-tree: unknown argument '--help=yes'\nUsage: ", std::nullopt},
      {{"-h"}, 2, "", "fractal-tree: unknown argument '-h'\n", std::nullopt},
      {{"tree.png"}, 2, "", "fractal-tree: unknown argument 'tree.png'\n", std::nullopt},
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
