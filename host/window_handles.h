#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

#include <optional>

namespace host {

// The window system's own handles of an SDL window, where that window system
// shows it; none otherwise.
inline std::optional<SDL_SysWMinfo> HandlesOf(SDL_Window* window, SDL_SYSWM_TYPE system) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != system) return std::nullopt;
  return info;
}

}  // namespace host
