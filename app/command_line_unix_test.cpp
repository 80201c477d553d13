#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "app/command_line_cases.h"

namespace {

TEST(CommandLine, XWindowOptionsNameTheWindowToDrawInto) {
  const command_line_cases::Case cases[] = {
      {{"--window-id", "0x2a"}, 0, "", "", 0, 42},
      {{"--window-id=42", "--window-id", "7"}, 0, "", "", 0, 7},
      {{"--window-id", "0"}, 2, "", "fractal-tree: --window-id takes a window's id, not '0'\n", std::nullopt},
      {{"--window-id", "junk"}, 2, "", "fractal-tree: --window-id takes a window's id, not 'junk'\n", std::nullopt},
      {{"--window-id"}, 2, "", "fractal-tree: --window-id needs a window's id\n", std::nullopt},
      {{"--root"}, 0, "", "", 0, std::nullopt, true},
      {{"--root", "--window-id", "0x400BD9"}, 0, "", "", 0, 0x400BD9},
      {{"/s"}, 2, "", "fractal-tree: unknown argument '/s'\n", std::nullopt},
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
