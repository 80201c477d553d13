#include <SDL.h>

#include <cstdio>

#include "host/host.h"
#include "host/platform.h"
#include "host/window_system_wayland.h"
#include "host/window_system_x11.h"

namespace host {

// Only drivers that show windows: without a display SDL would otherwise fall
// back to one that draws nowhere, and the program would run unseen. X11 comes
// first where both run: its frame hints are the richer.
std::string VideoDrivers() { return SDL_getenv("WAYLAND_DISPLAY") != nullptr ? "x11,wayland" : "x11"; }

std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view driver, std::string_view caption) {
  if (driver == "x11") return ConnectX11(caption);
  if (driver == "wayland") return ConnectWayland(caption);
  return std::make_unique<WindowSystem>();
}

void ReportFatalError(std::string_view /*caption*/, std::string_view line) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  std::fflush(stderr);
}

void TellThereAreNoSettings(std::string_view caption, std::optional<uint64_t> /*owner*/) {
  std::printf("%.*s has no settings.\n", static_cast<int>(caption.size()), caption.data());
}

void ReachConsole() {}

}  // namespace host
