#pragma once

#include <string_view>

struct SDL_Window;

namespace runtime {

// Asks the window manager for a fixed dialog frame: a dialog window that can
// be moved and closed, but not resized, minimized or maximized. Does nothing
// where the window system has no such hints.
void RequestDialogFrame(SDL_Window* window);

// Ends the program at once, with one line on standard error and status 1,
// when the connection to the X server is lost: nothing can be shown any more,
// and the toolkit would otherwise end it with a message of its own.
void EndOnLostDisplay(std::string_view caption);

}  // namespace runtime
