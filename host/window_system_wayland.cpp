#include "host/window_system_wayland.h"

#include <SDL.h>

namespace host {

// Wayland has no shared-memory window surface in SDL: the window's pixels go
// through a GPU renderer, the one that shows them with the widest range of
// drivers. SDL's high-DPI support sizes the window to the output's scale, and
// the renderer enlarges the picture pixel by pixel, without blur.
std::unique_ptr<WindowSystem> ConnectWayland() {
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "opengles2");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  return std::make_unique<WindowSystem>();
}

}  // namespace host
