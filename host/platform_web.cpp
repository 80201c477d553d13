#include "host/platform.h"
#include "host/window_system_web.h"

namespace host {

std::string VideoDrivers(std::string_view /*asked*/) { return "emscripten"; }

std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view /*driver*/, std::string_view /*caption*/) {
  return ConnectWeb();
}

void TellThereAreNoSettings(std::string_view /*caption*/, std::optional<uint64_t> /*owner*/) {}

void ReachConsole() {}

}  // namespace host
