#pragma once

#include <memory>
#include <vector>

#include "host/presenter.h"
#include "runtime/tiles.h"

struct SDL_Surface;
struct SDL_Window;

namespace host {

class SoftwareSurface;

// A window's pixels as the canvas sees them. WindowScreen is SDL's own; a
// window system whose windows need another way has its own in its file, and
// host/canvas_test.cpp has a stand-in.
class Screen {
 public:
  virtual ~Screen() = default;
  // Whether the window can be seen.
  virtual bool Visible() = 0;
  // The window's pixels. They last until the window's size changes, when
  // the window may make them again: SDL then reports the size changed.
  virtual SDL_Surface* Pixels() = 0;
  // Whether the pixels last as they are until they are next asked for,
  // whatever happens to the window, as the program's own memory does: what
  // is drawn there can then be read back until then.
  virtual bool KeepsPixels() { return false; }
  // The canvas is about to draw into the window's pixels, or to copy into
  // them: a window system that shows them without waiting waits here if it
  // must.
  virtual void AboutToDraw() {}
  // Shows the window's pixels.
  virtual void Show() = 0;
  // Shows only the parts of the window's pixels given; the rest is on the
  // screen already.
  virtual void Show(const std::vector<runtime::raster::Rect>& parts) = 0;
  // A way of showing the picture given of the window system's own, made for
  // the window as it is now; none where drawing into the window's pixels
  // serves.
  virtual std::unique_ptr<Presenter> OwnPresenter(SoftwareSurface& /*picture*/) { return nullptr; }
};

// Whether an SDL window can be seen: shown, and not minimized.
bool CanBeSeen(SDL_Window* window);

// An SDL window's pixels through SDL's window surface.
class WindowScreen final : public Screen {
 public:
  explicit WindowScreen(SDL_Window* window) : window_(window) {}

  bool Visible() override { return CanBeSeen(window_); }
  SDL_Surface* Pixels() override;
  void Show() override;
  void Show(const std::vector<runtime::raster::Rect>& parts) override;

 private:
  SDL_Window* window_;
};

}  // namespace host
