#pragma once

#include <memory>

#include "runtime/window_system.h"

namespace runtime {

std::unique_ptr<WindowSystem> ConnectWayland();

}  // namespace runtime
