#pragma once

#include <cstdint>
#include <optional>

struct SDL_Window;
struct SDL_SysWMmsg;

namespace host {

// What differs between the window systems the program shows its window on.
// Each system has a file of its own, window_system_<system>.cpp, and the
// build picks those of the platform. Where a system needs nothing special,
// this base does nothing.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The desktop's scale as a whole enlargement, at least 1, where the window
  // system leaves scaling to the program.
  virtual int DesktopScale() { return 1; }

  // Asks for the frame of a fixed dialog: a window that can be moved and
  // closed, but not resized, minimized or maximized.
  virtual void RequestDialogFrame(SDL_Window* /*window*/) {}

  // An existing window of another program to draw into, watched for its
  // size and its exposure: the window with the id given, or without one, the
  // screensaver's window or else the screen's root window. Raises a host
  // error where the window system has no such windows.
  virtual SDL_Window* AdoptWindow(std::optional<uint64_t> id);

  // Looks at an event of the window system that SDL passes on as it is, and
  // ends the program when the window drawn into is gone.
  virtual void Notice(const SDL_SysWMmsg& /*message*/) {}
};

}  // namespace host
