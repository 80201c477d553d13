#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <chrono>
#include <memory>
#include <vector>

#include "host/sdl_ptr.h"
#include "runtime/tiles.h"

struct SDL_Surface;

namespace host {

// A window's pixels in memory shared with the X server, in the window's own
// format: what is drawn there is shown with a request that carries no
// pixels, and nothing waits for the server to have shown it. The server
// reads the pixels as it takes the request, long before the next tick draws
// over them; where that comes sooner than half a tick after a show, as a
// tick just after an expose, the program first waits for the server.
class SharedPixels {
 public:
  // None where the server cannot share memory with the program, as over a
  // network, or the pixels cannot be made.
  static std::unique_ptr<SharedPixels> Make(Display* display, Window window, const XWindowAttributes& attributes);

  SharedPixels(Display* display, Window window, XImage* image, std::unique_ptr<XShmSegmentInfo> segment,
               SdlPtr<SDL_Surface> surface);
  ~SharedPixels();
  SharedPixels(const SharedPixels&) = delete;
  SharedPixels& operator=(const SharedPixels&) = delete;

  SDL_Surface* pixels() const { return surface_.get(); }
  int width() const;
  int height() const;

  // Waits for the server to have read the last frame shown, if it may not have.
  void AboutToDraw();
  void Show(const std::vector<runtime::raster::Rect>& parts);

 private:
  Display* display_;
  Window window_;
  GC gc_;
  XImage* image_;
  std::unique_ptr<XShmSegmentInfo> segment_;
  SdlPtr<SDL_Surface> surface_;
  std::chrono::steady_clock::time_point shown_;  // when the last show was asked for
};

}  // namespace host
