#include "host/window_system.h"

#include "runtime/error.h"

namespace host {

SDL_Window* WindowSystem::AdoptWindow(std::optional<uint64_t> /*id*/) {
  throw runtime::Error(runtime::ErrorKind::Host, "this window system cannot draw into another program's window");
}

}  // namespace host
