#include "app/command_line.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>

namespace {

TEST(CommandLine, ArgumentsGiveTheirExitStatusOutputAndOptions) {
  struct Case {
    std::vector<std::string_view> arguments;
    int status;
    const char* out;     // the start of standard output
    const char* errors;  // the start of standard error
    std::optional<int> shownAtScale;
    std::optional<uint64_t> windowId = std::nullopt;
    bool root = false;
  };
  const Case cases[] = {
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
      {{"--window-id", "0x2a"}, 0, "", "", 0, 42},
      {{"--window-id=42", "--window-id", "7"}, 0, "", "", 0, 7},
      {{"--window-id", "0"}, 2, "", "fractal-tree: --window-id takes a window's id, not '0'\n", std::nullopt},
      {{"--window-id", "junk"}, 2, "", "fractal-tree: --window-id takes a window's id, not 'junk'\n", std::nullopt},
      {{"--window-id"}, 2, "", "fractal-tree: --window-id needs a window's id\n", std::nullopt},
      {{"--root"}, 0, "", "", 0, std::nullopt, true},
      {{"--root", "--window-id", "0x400BD9"}, 0, "", "", 0, 0x400BD9},
      {{"--help=yes"}, 2, "", "fractal-tree: unknown argument '--help=yes'\nUsage: ", std::nullopt},
      {{"-h"}, 2, "", "fractal-tree: unknown argument '-h'\n", std::nullopt},
      {{"tree.png"}, 2, "", "fractal-tree: unknown argument 'tree.png'\n", std::nullopt},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (auto argument : c.arguments) joined += std::string(argument) + " ";
    SCOPED_TRACE(joined);
    const CommandLine command = ReadCommandLine(c.arguments);
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
    }
  }
}

// The long options a text names: "--name" in the usage, "\-\-name" in roff.
std::set<std::string> LongOptions(std::string text) {
  for (size_t at; (at = text.find("\\-")) != std::string::npos;) text.erase(at, 1);
  std::set<std::string> options;
  for (size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
    const size_t end = text.find_first_not_of("abcdefghijklmnopqrstuvwxyz-", at + 2);
    options.insert(text.substr(at, end - at));
  }
  return options;
}

TEST(CommandLine, ManualPageAndUsageNameTheSameOptions) {
  std::ifstream file(FRACTAL_TREE_MANUAL_PAGE);
  const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(page.empty()) << FRACTAL_TREE_MANUAL_PAGE;
  const std::set<std::string> usage = LongOptions(ReadCommandLine({"--help"}).out);
  EXPECT_EQ(usage.size(), 5u);
  EXPECT_EQ(LongOptions(page), usage);
}

}  // namespace
