#include <cctype>
#include <string>

#include "app/command_line_platform.h"

namespace command_line {

const std::string_view kUsage = R"(Usage: fractal-tree [OPTION]...
Shows an animated fractal tree in a small window until the window is closed.
Named fractal-tree.scr it is a screensaver, which Windows starts with:

  /s               show the tree over the whole screen until a key, a mouse
                   button or a move of the mouse
  /p HWND          draw into the window HWND, a screensaver's preview
  /c[:HWND]        tell that there are no settings; so does fractal-tree.scr
                   started with no argument

  --scale N        show the window and its picture N times enlarged, N from 1
                   to 8; without it, as large as the display's scale asks
  --help           print this help and exit
  --version        print the version and exit
)";

std::string_view CommonSpelling(std::string_view argument) { return argument; }

// Windows writes a screensaver's arguments in either case, with / or -, and
// a window's handle after a colon or as the next argument.
Reading ReadPlatformArgument(const std::vector<std::string_view>& arguments, size_t& at, host::ShowOptions& options) {
  const std::string_view argument = arguments[at];
  if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-')) return {};
  const std::string_view rest = argument.substr(2);
  if (!rest.empty() && rest[0] != ':') return {};
  std::optional<std::string_view> handle;
  if (!rest.empty()) handle = rest.substr(1);
  switch (std::tolower(static_cast<unsigned char>(argument[1]))) {
    case 's':
      options.fullScreen = true;
      return {true, ""};
    case 'p':
      if (!handle && at + 1 < arguments.size()) handle = arguments[++at];
      if (!handle) return {false, "/p needs a window's handle"};
      options.windowId = WindowId(*handle);
      if (!options.windowId) return {false, "/p takes a window's handle, not '" + std::string(*handle) + "'"};
      return {true, ""};
    case 'c':
      options.settings = true;
      if (handle) {
        options.windowId = WindowId(*handle);
        if (!options.windowId) return {false, "/c takes a window's handle, not '" + std::string(*handle) + "'"};
      }
      return {true, ""};
    default:
      return {};
  }
}

// Started as a screensaver with nothing asked for, Windows wants its settings.
void SettlePlatformOptions(host::ShowOptions& options, bool screensaver) {
  if (screensaver && !options.fullScreen && !options.settings && !options.windowId && options.scale == 0) {
    options.settings = true;
  }
}

}  // namespace command_line
