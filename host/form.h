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

namespace host {

// What the host hands to a window: its drawing surface, the clock and the generator.
struct Services {
  runtime::Surface& surface;
  runtime::Clock& clock;
  runtime::RandomSource& random;
};

// The event handlers of a window, called by the host on its one thread.
//
// The window's handlers and the program's own classes and fields keep the
// names the program has always had, in the form designer's manner: a
// handler is its object's name, an underscore and the event (Form_Load,
// Timer1_Timer), a class begins with cls (clsAnimateValues), and fields are
// lower-case words run together (froma, renewseconds); the window is Form1
// and the tree's method DoIt. They are the program's vocabulary, so they are
// kept as they are; everything around them follows this code's own style.
class Form {
 public:
  virtual ~Form() = default;
  // Runs once, before the window is first shown.
  virtual void Form_Load() = 0;
  // Runs at every tick of the window's timer.
  virtual void Timer1_Timer() = 0;
};

// A window's fixed settings.
struct WindowSettings {
  std::string_view caption;
  int width;  // client area, pixels
  int height;
  runtime::Colour background;
  std::chrono::milliseconds timerInterval;
  int iconSize;  // pixels, square
  void (*paintIcon)(runtime::Surface& icon, int size);
};

// How the window is shown, as the user asked.
struct ShowOptions {
  int scale = 0;  // whole enlargement of the window and its picture; 0 for the desktop's scale
  // Drawing into an existing window instead of one of the program's own: the
  // window with this id, or with root, the screensaver's or the screen's.
  std::optional<uint64_t> windowId = std::nullopt;
  bool root = false;
  // As a Windows screensaver: over the whole screen until the user touches a
  // key or the mouse; or, asked for its settings, only telling there are
  // none, above the window with windowId if given.
  bool fullScreen = false;
  bool settings = false;

  friend bool operator==(const ShowOptions&, const ShowOptions&) = default;
};

using FormFactory = std::function<std::unique_ptr<Form>(const Services&)>;

}  // namespace host
