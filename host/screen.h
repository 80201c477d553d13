#pragma once

struct SDL_Surface;
struct SDL_Window;

namespace host {

// A window's pixels as the canvas sees them. WindowScreen is SDL's own; a
// window system whose windows need another way has its own in its file, and
// host/canvas_test.cpp has a stand-in.
class Screen {
 public:
  virtual ~Screen() = default;
  // Whether the window can be seen.
  virtual bool Visible() = 0;
  // The window's pixels; their size and format may change between calls.
  virtual SDL_Surface* Pixels() = 0;
  // Shows the window's pixels.
  virtual void Show() = 0;
};

// An SDL window's pixels through SDL's window surface.
class WindowScreen : public Screen {
 public:
  explicit WindowScreen(SDL_Window* window) : window_(window) {}

  bool Visible() override;
  SDL_Surface* Pixels() override;
  void Show() override;

 protected:
  SDL_Window* window() const { return window_; }

 private:
  SDL_Window* window_;
};

}  // namespace host
