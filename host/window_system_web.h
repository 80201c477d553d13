#pragma once

#include <memory>

#include "host/window_system.h"

namespace host {

// The page's canvas as the window: at a whole scale of the picture, shown
// at the picture's size, and a loop that never waits.
std::unique_ptr<WindowSystem> ConnectWeb();

}  // namespace host
