#pragma once

#include <memory>

#include "host/window_system.h"

namespace host {

// The window's frame as Windows draws it.
std::unique_ptr<WindowSystem> ConnectWindows();

}  // namespace host
