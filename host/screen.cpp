#include "host/screen.h"

#include <SDL.h>

#include "host/sdl_check.h"

namespace host {

bool WindowScreen::Visible() { return (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0; }

SDL_Surface* WindowScreen::Pixels() {
  return CheckSdl("cannot get the window's pixels", [&] { return SDL_GetWindowSurface(window_); });
}

void WindowScreen::Show() {
  CheckSdl("cannot show the picture", [&] { return SDL_UpdateWindowSurface(window_); });
}

}  // namespace host
