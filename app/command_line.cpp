#include "app/command_line.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "runtime/scale.h"

namespace {

constexpr std::string_view kProgram = "fractal-tree";

constexpr std::string_view kUsage = R"(Usage: fractal-tree [OPTION]...
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
)";

CommandLine EndWith(int status, std::string out, std::string errors) {
  CommandLine ending;
  ending.status = status;
  ending.out = std::move(out);
  ending.errors = std::move(errors);
  return ending;
}

CommandLine Wrong(const std::string& complaint) {
  return EndWith(2, "", std::string(kProgram) + ": " + complaint + "\n" + std::string(kUsage));
}

template <typename Number>
std::optional<Number> WholeNumber(std::string_view text, int base = 10) {
  Number number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// An X window's id, in decimal or in hexadecimal with 0x; never 0.
std::optional<uint64_t> WindowId(std::string_view text) {
  const bool hexadecimal = text.starts_with("0x") || text.starts_with("0X");
  const std::optional<uint64_t> id = WholeNumber<uint64_t>(text.substr(hexadecimal ? 2 : 0), hexadecimal ? 16 : 10);
  return id != uint64_t{0} ? id : std::nullopt;
}

// The value of an option given as "--name=value" or as "--name value".
std::optional<std::string_view> ValueOf(std::string_view name, const std::vector<std::string_view>& arguments,
                                        size_t& at) {
  const std::string_view argument = arguments[at];
  if (argument.size() > name.size() && argument[name.size()] == '=') return argument.substr(name.size() + 1);
  if (at + 1 < arguments.size()) return arguments[++at];
  return std::nullopt;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string_view>& arguments) {
  host::ShowOptions options;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string_view argument = arguments[at];
    const std::string_view name = argument.substr(0, argument.find('='));
    if (argument == "--help") return EndWith(0, std::string(kUsage), "");
    if (argument == "--version") return EndWith(0, std::string(kProgram) + " " + FRACTAL_TREE_VERSION + "\n", "");
    if (name == "--scale") {
      const std::optional<std::string_view> value = ValueOf(name, arguments, at);
      if (!value) return Wrong("--scale needs a number");
      const std::optional<int> scale = WholeNumber<int>(*value);
      if (!scale || *scale < 1 || *scale > runtime::kLargestScale) {
        return Wrong("--scale takes a whole number from 1 to " + std::to_string(runtime::kLargestScale) + ", not '" +
                     std::string(*value) + "'");
      }
      options.scale = *scale;
      continue;
    }
    if (name == "--window-id") {
      const std::optional<std::string_view> value = ValueOf(name, arguments, at);
      if (!value) return Wrong("--window-id needs a window's id");
      options.windowId = WindowId(*value);
      if (!options.windowId) return Wrong("--window-id takes a window's id, not '" + std::string(*value) + "'");
      continue;
    }
    if (argument == "--root") {
      options.root = true;
      continue;
    }
    return Wrong("unknown argument '" + std::string(argument) + "'");
  }
  // A screensaver's settings run the configured command with the window of
  // its preview appended: the window named wins over --root.
  if (options.windowId) options.root = false;
  CommandLine showing;
  showing.show = options;
  return showing;
}
