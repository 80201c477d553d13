#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct SDL_Window;
struct SDL_SysWMmsg;

namespace runtime {

// What differs between the window systems the program shows its window on.
// Each system has a small file of its own, and the build picks the files of
// the platform. Where a system needs nothing special, this base does nothing.
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
  virtual SDL_Window* AdoptWindow(std::optional<uint64_t> /*id*/);

  // Looks at an event of the window system that SDL passes on as it is, and
  // ends the program when the window drawn into is gone.
  virtual void Notice(const SDL_SysWMmsg& /*message*/) {}
};

// The SDL video drivers that show windows here, most preferred first.
std::string VideoDrivers();

// The window system behind the SDL video driver in use, once SDL has started
// it. It sets the hints SDL reads when it creates the window and its pixels.
std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view driver, std::string_view caption);

// Tells the user of the error that ends the program, in one line, as the
// window with the caption given would.
void ReportFatalError(std::string_view caption, std::string_view line);

}  // namespace runtime
