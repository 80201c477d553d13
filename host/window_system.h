#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "host/screen.h"

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

  // SDL's flags for a window of the program's own beside the ones it always
  // asks for: by default, SDL's high-DPI support.
  virtual uint32_t WindowFlags();

  // Sizes a new window, hidden and as large as the picture times the scale
  // asked for (or 1 for none, 0), so that its pixels hold the picture at a
  // whole scale: the one asked for, else the desktop's. Nothing to do where
  // the window's size is counted in its pixels.
  virtual void HoldWholeScale(SDL_Window* /*window*/, int /*pictureWidth*/, int /*pictureHeight*/, int /*asked*/) {}

  // Asks for the frame of a fixed dialog: a window that can be moved and
  // closed, but not resized, minimized or maximized.
  virtual void RequestDialogFrame(SDL_Window* /*window*/) {}

  // Asks again, once the window is shown and before its first picture,
  // that its size stay fixed: some window systems take that only then.
  virtual void KeepSizeFixed(SDL_Window* /*window*/) {}

  // Waits until the window system may have something to say, or the time
  // given is up (-1: for as long as it takes), and puts what it says in
  // SDL's queue. The base lets SDL wait.
  virtual void WaitForEvents(int milliseconds);

  // The window's pixels as the canvas draws into them.
  virtual std::unique_ptr<Screen> ScreenOf(SDL_Window* window) { return std::make_unique<WindowScreen>(window); }

  // An existing window of another program to draw into, watched for its
  // size and its exposure: the window with the id given, or without one, the
  // screensaver's window or else the screen's root window. Raises a host
  // error where the window system has no such windows.
  virtual SDL_Window* AdoptWindow(std::optional<uint64_t> id);

  // Whether the window of another program drawn into has gone, which ends
  // a run normally, whatever failed on the way.
  virtual bool AdoptedWindowGone() { return false; }

  // Looks at an event of the window system that SDL passes on as it is, and
  // ends the program when the window drawn into is gone.
  virtual void Notice(const SDL_SysWMmsg& /*message*/) {}

  // SDL asks the program to quit: where that is because the connection to
  // the display is lost, ends the program as a failure.
  virtual void EndIfDisplayLost() {}
};

// Ends the program at once with status 1, after telling the user why in one
// line: for a failure noticed where the toolkit must not be returned to.
[[noreturn]] void EndAtOnce(std::string_view caption, std::string_view reason);

}  // namespace host
