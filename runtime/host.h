#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "runtime/clock.h"
#include "runtime/colour.h"
#include "runtime/random.h"
#include "runtime/surface.h"

namespace runtime {

// What the host hands to a window: its drawing surface, the clock and the generator.
struct Services {
  Surface& surface;
  Clock& clock;
  RandomSource& random;
};

// The event handlers of a window, called by the host on its one thread.
class Form {
 public:
  virtual ~Form() = default;
  // Runs once, before the window is first shown.
  virtual void Form_Load() = 0;
  // Runs at every tick of the window's timer.
  virtual void Timer1_Timer() = 0;
};

struct WindowSettings {
  std::string_view caption;
  int width;  // client area, pixels
  int height;
  Colour background;
  std::chrono::milliseconds timerInterval;
  int iconSize;  // pixels, square
  void (*paintIcon)(Surface& icon, int size);
};

// How the window is shown, as the user asked.
struct ShowOptions {
  int scale = 0;  // whole enlargement of the window and its picture; 0 for the desktop's scale
  // Drawing into an existing window instead of one of the program's own: the
  // window with this id, or with root, the screensaver's or the screen's.
  std::optional<uint64_t> windowId;
  bool root = false;
};

using FormFactory = std::function<std::unique_ptr<Form>(const Services&)>;

// Creates the window from its settings, hidden; builds and loads its form;
// shows it centred; then delivers timer ticks and redraws until the window
// is closed. Returns the program's exit status: 0 once the window is closed,
// non-zero after an error, which is reported to the user in one line.
int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm);

// Runs the host's work, which calls the event handlers, and returns its exit
// status. An error leaving an event handler or the host is reported as the
// line "caption: message" and gives status 1; this is the only place that catches.
int RunHandler(std::string_view caption, const std::function<int()>& handler,
               const std::function<void(std::string_view line)>& report);

}  // namespace runtime
