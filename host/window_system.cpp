#include "host/window_system.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "host/platform.h"
#include "runtime/error.h"

namespace host {

SDL_Window* WindowSystem::AdoptWindow(std::optional<uint64_t> /*id*/) {
  throw runtime::Error(runtime::ErrorKind::Host, "this window system cannot draw into another program's window");
}

uint32_t WindowSystem::WindowFlags() { return SDL_WINDOW_ALLOW_HIGHDPI; }

void WindowSystem::WaitForEvents(int milliseconds) { SDL_WaitEventTimeout(nullptr, milliseconds); }

void EndAtOnce(std::string_view caption, std::string_view reason) {
  ReportFatalError(caption, std::string(caption) + ": " + std::string(reason));
  std::_Exit(1);
}

}  // namespace host
