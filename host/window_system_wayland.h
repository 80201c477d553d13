#pragma once

#include <memory>

#include "host/window_system.h"

namespace host {

// Sets the hints that show the window's pixels on Wayland.
std::unique_ptr<WindowSystem> ConnectWayland();

}  // namespace host
