#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/platform.h"
#include "host/window_system_wayland.h"
#include "host/window_system_x11.h"
#include "runtime/error.h"

namespace host {
namespace {

constexpr std::string_view kWayland = "wayland";

// The drivers of a list such as "x11,wayland" but Wayland's.
std::string WithoutWayland(std::string_view drivers) {
  std::string kept;
  while (!drivers.empty()) {
    const std::string_view driver = drivers.substr(0, drivers.find(','));
    drivers.remove_prefix(std::min(drivers.size(), driver.size() + 1));
    if (driver == kWayland) continue;
    kept += (kept.empty() ? "" : ",") + std::string(driver);
  }
  return kept;
}

}  // namespace

// Without drivers asked for, only those that show windows: without a display
// SDL would otherwise fall back to one that draws nowhere, and the program
// would run unseen. X11 comes first where both run: its frame hints are the
// richer. A compositor without a seat is passed over.
std::string VideoDrivers(std::string_view asked) {
  std::string drivers = !asked.empty()                             ? std::string(asked)
                        : SDL_getenv("WAYLAND_DISPLAY") != nullptr ? "x11,wayland"
                                                                   : "x11";
  if (drivers.find(kWayland) == std::string::npos || !WaylandLacksSeat()) return drivers;
  std::string kept = WithoutWayland(drivers);
  const bool x11 = kept.find("x11") != std::string::npos && SDL_getenv("DISPLAY") != nullptr;
  if (!x11) {
    throw runtime::Error(runtime::ErrorKind::Host,
                         std::string("the Wayland compositor offers no seat, without which SDL cannot show a window "
                                     "there") +
                             (kept.empty() ? "" : ", and there is no X display"));
  }
  return kept;
}

std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view driver, std::string_view caption) {
  if (driver == "x11") return ConnectX11(caption);
  if (driver == kWayland) return ConnectWayland(caption);
  return std::make_unique<WindowSystem>();
}

void TellThereAreNoSettings(std::string_view caption, std::optional<uint64_t> /*owner*/) {
  std::printf("%.*s has no settings.\n", static_cast<int>(caption.size()), caption.data());
}

void ReachConsole() {}

}  // namespace host
