#include "app/command_line_platform.h"

namespace command_line {

// A page gives the program no arguments; these are for its tests.
const std::string_view kUsage = R"(Usage: fractal-tree [OPTION]...
Shows an animated fractal tree in the page.

  --scale N        show the picture N times enlarged in the canvas's pixels,
                   N from 1 to 8; without it, the device's pixel ratio rounded
  --help           print this help and exit
  --version        print the version and exit
)";

std::string_view CommonSpelling(std::string_view argument) { return argument; }

Reading ReadPlatformArgument(const std::vector<std::string_view>& /*arguments*/, size_t& /*at*/,
                             host::ShowOptions& /*options*/) {
  return {};
}

void SettlePlatformOptions(host::ShowOptions& /*options*/, bool /*screensaver*/) {}

}  // namespace command_line
