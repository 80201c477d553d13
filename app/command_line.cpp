#include "app/command_line.h"

#include <charconv>
#include <optional>
#include <string>
#include <utility>

#include "runtime/enlarge.h"

namespace {

constexpr std::string_view kProgram = "fractal-tree";

constexpr std::string_view kUsage = R"(Usage: fractal-tree [OPTION]...
Shows an animated fractal tree in a small window until the window is closed.

  --scale N    show the window and its picture N times enlarged, N from 1 to 8;
               without it, as large as the desktop's scale asks
  --help       print this help and exit
  --version    print the version and exit
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

std::optional<int> WholeNumber(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
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
  runtime::ShowOptions options;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string_view argument = arguments[at];
    const std::string_view name = argument.substr(0, argument.find('='));
    if (argument == "--help") return EndWith(0, std::string(kUsage), "");
    if (argument == "--version") return EndWith(0, std::string(kProgram) + " " + FRACTAL_TREE_VERSION + "\n", "");
    if (name == "--scale") {
      const std::optional<std::string_view> value = ValueOf(name, arguments, at);
      if (!value) return Wrong("--scale needs a number");
      const std::optional<int> scale = WholeNumber(*value);
      if (!scale || *scale < 1 || *scale > runtime::raster::kLargestScale) {
        return Wrong("--scale takes a whole number from 1 to " + std::to_string(runtime::raster::kLargestScale) +
                     ", not '" + std::string(*value) + "'");
      }
      options.scale = *scale;
      continue;
    }
    return Wrong("unknown argument '" + std::string(argument) + "'");
  }
  CommandLine showing;
  showing.show = options;
  return showing;
}
