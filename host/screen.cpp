#include "host/screen.h"

#include <SDL.h>

#include <vector>

#include "host/sdl_check.h"

namespace host {

bool CanBeSeen(SDL_Window* window) {
  return (SDL_GetWindowFlags(window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

SDL_Surface* WindowScreen::Pixels() {
  return CheckSdl("cannot get the window's pixels", [&] { return SDL_GetWindowSurface(window_); });
}

void WindowScreen::Show() {
  CheckSdl("cannot show the picture", [&] { return SDL_UpdateWindowSurface(window_); });
}

void WindowScreen::Show(const std::vector<runtime::raster::Rect>& parts) {
  if (parts.empty()) return;
  std::vector<SDL_Rect> rects;
  rects.reserve(parts.size());
  for (const auto& part : parts) rects.push_back({part.x, part.y, part.width, part.height});
  CheckSdl("cannot show the picture",
           [&] { return SDL_UpdateWindowSurfaceRects(window_, rects.data(), static_cast<int>(rects.size())); });
}

}  // namespace host
