#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "host/screen.h"
#include "host/sdl_ptr.h"

struct SDL_SysWMmsg;

namespace host {

// What differs between the window systems the program shows its window on,
// in two parts: a WindowSystem knows what holds before any window exists,
// and makes a NativeWindow for each window, with everything that window
// needs. Each system has a file of its own, window_system_<system>.cpp, and
// the build picks those of the platform. Where a system needs nothing
// special, these bases do nothing.

// A window of the program's own shown as a fixed dialog: the size of the
// picture it holds, and the whole scale the user asked for, 0 for none.
struct DialogSize {
  int pictureWidth;
  int pictureHeight;
  int asked;
};

// One window, as its window system shows it; it owns the SDL window.
class NativeWindow {
 public:
  explicit NativeWindow(SdlPtr<SDL_Window> window);
  virtual ~NativeWindow() = default;
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  SDL_Window* sdl() const { return window_.get(); }

  // The window's pixels as the canvas draws into them: by default SDL's
  // window surface.
  virtual Screen& screen() { return screen_; }

  // Shows a window of the program's own, hidden until now, before its first
  // picture.
  virtual void Show();

  // Waits until the window system may have something to say, or the time
  // given is up (-1: for as long as it takes), and puts what it says in
  // SDL's queue. The base lets SDL wait; a browser, which must not be kept
  // waiting, is asked instead to call the next step then.
  virtual void WaitForEvents(int milliseconds);

  // Whether the window starts on a still picture rather than moving, as
  // for a reader who asked for less motion.
  virtual bool StartsStill() { return false; }

  // Looks at an event of the window system that SDL passes on as it is.
  virtual void Notice(const SDL_SysWMmsg& /*message*/) {}

  // Whether the window of another program drawn into has gone, which ends
  // a run normally, whatever failed on the way.
  virtual bool AdoptedWindowGone() { return false; }

  // SDL asks the program to quit: where that is because the connection to
  // the display is lost, ends the program as a failure.
  virtual void EndIfDisplayLost() {}

 private:
  SdlPtr<SDL_Window> window_;
  WindowScreen screen_;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The desktop's scale as a whole enlargement, at least 1, where the window
  // system leaves scaling to the program.
  virtual int DesktopScale() { return 1; }

  // SDL's flags for a window of the program's own beside the ones it always
  // asks for: by default, SDL's high-DPI support.
  virtual uint32_t WindowFlags();

  // Takes a window of the program's own, made hidden and as large as the
  // picture times the scale asked for, else the desktop's: with a dialog
  // size, a fixed dialog (moved and closed, not resized, minimized or
  // maximized) whose pixels hold the picture at a whole scale; without, a
  // screensaver's window over the whole screen.
  virtual std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog);

  // An existing window of another program to draw into, watched for its
  // size and its exposure: the window with the id given, or without one, the
  // screensaver's window or else the screen's root window. Raises a host
  // error where the window system has no such windows.
  virtual std::unique_ptr<NativeWindow> Adopt(std::optional<uint64_t> id);
};

}  // namespace host
