#include <string>

#include "app/command_line_platform.h"

namespace command_line {

const std::string_view kUsage = R"(Usage: fractal-tree [OPTION]...
Shows an animated fractal tree in a small window until the window is closed.

  --scale N        show the window and its picture N times enlarged, N from 1
                   to 8; without it, as large as the desktop's scale asks
  --window-id ID   draw into the existing X window ID (decimal, or hexadecimal
                   with 0x) instead of a window of its own, enlarged to fit
  --root           draw into the screensaver's window (XSCREENSAVER_WINDOW),
                   or without one into the screen's root window; a
                   --window-id given as well wins
  --help           print this help and exit
  --version        print the version and exit

As xscreensaver's programs take them, -window-id ID, -root and -help work too.
)";

// xscreensaver's programs take their options with one dash, and their users
// copy such lines into ~/.xscreensaver.
std::string_view CommonSpelling(std::string_view argument) {
  for (const std::string_view option : {"--window-id", "--root", "--help"}) {
    if (argument == option.substr(1)) return option;
  }
  return argument;
}

Reading ReadPlatformArgument(const std::vector<std::string_view>& arguments, size_t& at, host::ShowOptions& options) {
  const std::string_view argument = arguments[at];
  const std::string_view name = argument.substr(0, argument.find('='));
  if (name == "--window-id") {
    const std::optional<std::string_view> value = ValueOf(name, arguments, at);
    if (!value) return {false, "--window-id needs a window's id"};
    options.windowId = WindowId(*value);
    if (!options.windowId) return {false, "--window-id takes a window's id, not '" + std::string(*value) + "'"};
    return {true, ""};
  }
  if (argument == "--root") {
    options.root = true;
    return {true, ""};
  }
  return {};
}

// A screensaver's settings run the configured command with the window of
// its preview appended: the window named wins over --root.
void SettlePlatformOptions(host::ShowOptions& options, bool /*screensaver*/) {
  if (options.windowId) options.root = false;
}

}  // namespace command_line
