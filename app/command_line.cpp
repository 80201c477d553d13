#include "app/command_line.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/command_line_platform.h"
#include "runtime/scale.h"

namespace {

constexpr std::string_view kProgram = "fractal-tree";

CommandLine EndWith(int status, std::string out, std::string errors) {
  CommandLine ending;
  ending.status = status;
  ending.out = std::move(out);
  ending.errors = std::move(errors);
  return ending;
}

CommandLine Wrong(const std::string& complaint) {
  return EndWith(2, "", std::string(kProgram) + ": " + complaint + "\n" + std::string(command_line::kUsage));
}

}  // namespace

namespace command_line {

// The value of an option given as "--name=value" or as "--name value".
std::optional<std::string_view> ValueOf(std::string_view name, const std::vector<std::string_view>& arguments,
                                        size_t& at) {
  const std::string_view argument = arguments[at];
  if (argument.size() > name.size() && argument[name.size()] == '=') return argument.substr(name.size() + 1);
  if (at + 1 < arguments.size()) return arguments[++at];
  return std::nullopt;
}

std::optional<uint64_t> WholeNumber(std::string_view text, int base) {
  uint64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

std::optional<uint64_t> WindowId(std::string_view text) {
  const bool hexadecimal = text.starts_with("0x") || text.starts_with("0X");
  const std::optional<uint64_t> id = WholeNumber(text.substr(hexadecimal ? 2 : 0), hexadecimal ? 16 : 10);
  return id != uint64_t{0} ? id : std::nullopt;
}

}  // namespace command_line

CommandLine ReadCommandLine(const std::vector<std::string_view>& given, bool screensaver) {
  std::vector<std::string_view> arguments;
  arguments.reserve(given.size());
  for (const std::string_view argument : given) arguments.push_back(command_line::CommonSpelling(argument));
  host::ShowOptions options;
  for (size_t at = 0; at < arguments.size(); ++at) {
    const std::string_view argument = arguments[at];
    const std::string_view name = argument.substr(0, argument.find('='));
    if (argument == "--help") return EndWith(0, std::string(command_line::kUsage), "");
    if (argument == "--version") return EndWith(0, std::string(kProgram) + " " + FRACTAL_TREE_VERSION + "\n", "");
    if (name == "--scale") {
      const std::optional<std::string_view> value = command_line::ValueOf(name, arguments, at);
      if (!value) return Wrong("--scale needs a number");
      const std::optional<uint64_t> scale = command_line::WholeNumber(*value);
      if (!scale || *scale < 1 || *scale > runtime::kLargestScale) {
        return Wrong("--scale takes a whole number from 1 to " + std::to_string(runtime::kLargestScale) + ", not '" +
                     std::string(*value) + "'");
      }
      options.scale = static_cast<int>(*scale);
      continue;
    }
    const command_line::Reading reading = command_line::ReadPlatformArgument(arguments, at, options);
    if (!reading.complaint.empty()) return Wrong(reading.complaint);
    if (!reading.taken) return Wrong("unknown argument '" + std::string(argument) + "'");
  }
  command_line::SettlePlatformOptions(options, screensaver);
  CommandLine showing;
  showing.show = options;
  return showing;
}

bool IsScreensaverName(std::string_view program) {
  constexpr std::string_view kSuffix = ".scr";
  if (program.size() < kSuffix.size()) return false;
  const std::string_view end = program.substr(program.size() - kSuffix.size());
  for (size_t i = 0; i < kSuffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != kSuffix[i]) return false;
  }
  return true;
}
