#pragma once

#include <memory>
#include <string_view>

#include "host/window_system.h"

namespace host {

// Whether the Wayland compositor named in the environment answers and offers
// no seat. SDL's Wayland driver cannot start without a seat: it would crash.
bool WaylandLacksSeat();

// Shows the window's pixels on Wayland at a whole scale of the picture, and
// tells a lost compositor from a window closed.
std::unique_ptr<WindowSystem> ConnectWayland(std::string_view caption);

}  // namespace host
