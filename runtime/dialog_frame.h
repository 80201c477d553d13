#pragma once

struct SDL_Window;

namespace runtime {

// Asks the window manager for a fixed dialog frame: a dialog window that can
// be moved and closed, but not resized, minimized or maximized. Does nothing
// where the window system has no such hints.
void RequestDialogFrame(SDL_Window* window);

}  // namespace runtime
