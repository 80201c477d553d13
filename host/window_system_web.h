#pragma once

#include <memory>

#include "host/window_system.h"

namespace host {

// The page's canvas as the window: the picture at a whole scale, each canvas
// pixel a device pixel, which the reader may pause; and a loop that the
// browser calls when a tick is due.
std::unique_ptr<WindowSystem> ConnectWeb();

}  // namespace host
