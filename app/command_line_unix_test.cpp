#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "testing/command_line_cases.h"

namespace {

TEST(CommandLine, XWindowOptionsNameTheWindowToDrawInto) {
  using command_line_cases::Shown;
  const command_line_cases::Case cases[] = {
      {.arguments = {"--window-id", "0x2a"}, .shown = Shown{.windowId = 42}},
      {.arguments = {"--window-id=42", "--window-id", "7"}, .shown = Shown{.windowId = 7}},
      {.arguments = {"--window-id", "0"},
       .status = 2,
       .errors = "fractal-tree: --window-id takes a window's id, not '0'\n"},
      {.arguments = {"--window-id", "junk"},
       .status = 2,
       .errors = "fractal-tree: --window-id takes a window's id, not 'junk'\n"},
      {.arguments = {"--window-id"}, .status = 2, .errors = "fractal-tree: --window-id needs a window's id\n"},
      {.arguments = {"--root"}, .shown = Shown{.root = true}},
      {.arguments = {"--root", "--window-id", "0x400BD9"}, .shown = Shown{.windowId = 0x400BD9}},
      {.arguments = {"/s"}, .status = 2, .errors = "fractal-tree: unknown argument '/s'\n"},
  };
  for (const auto& c : cases) command_line_cases::Expect(c);
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
