#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
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
      // As xscreensaver's programs take them.
      {.arguments = {"-root"}, .shown = Shown{.root = true}},
      {.arguments = {"-root", "-window-id", "0x2a"}, .shown = Shown{.windowId = 42}},
      {.arguments = {"-help"}, .out = "Usage: fractal-tree [OPTION]...\n"},
      {.arguments = {"-window-id"}, .status = 2, .errors = "fractal-tree: --window-id needs a window's id\n"},
      {.arguments = {"-window-id=7"}, .status = 2, .errors = "fractal-tree: unknown argument '-window-id=7'\n"},
      {.arguments = {"-scale", "2"}, .status = 2, .errors = "fractal-tree: unknown argument '-scale'\n"},
      {.arguments = {"-version"}, .status = 2, .errors = "fractal-tree: unknown argument '-version'\n"},
  };
  for (const auto& c : cases) command_line_cases::Expect(c);
}

// The options a text names, with two dashes or one: "--name" and "-name" in
// the usage, "\-\-name" and "\-name" in roff.
std::set<std::string> Options(std::string text) {
  for (size_t at; (at = text.find("\\-")) != std::string::npos;) text.erase(at, 1);
  static const std::regex kOption(R"((?:^|[\s\[])(--?[a-z][a-z-]*))");
  std::set<std::string> options;
  for (std::sregex_iterator it(text.begin(), text.end(), kOption), end; it != end; ++it) options.insert((*it)[1]);
  return options;
}

TEST(CommandLine, ManualPageAndUsageNameTheSameOptions) {
  std::ifstream file(FRACTAL_TREE_MANUAL_PAGE);
  const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(page.empty()) << FRACTAL_TREE_MANUAL_PAGE;
  const std::set<std::string> usage = Options(ReadCommandLine({"--help"}).out);
  EXPECT_EQ(usage, (std::set<std::string>{"--scale", "--window-id", "--root", "--help", "--version", "-window-id",
                                          "-root", "-help"}));
  EXPECT_EQ(Options(page), usage);
}

}  // namespace
