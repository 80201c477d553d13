#pragma once

#include <memory>
#include <string_view>

#include "host/window_system.h"

namespace host {

// Reads the desktop's scale and picks a visual the window's pixels can use,
// from a short connection of its own to the X server. From then on, losing
// the connection ends the program at once, with one line on standard error
// and status 1: nothing can be shown any more, and the toolkit would
// otherwise end it with a message of its own.
std::unique_ptr<WindowSystem> ConnectX11(std::string_view caption);

}  // namespace host
