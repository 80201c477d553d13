#include "host/window_system_web.h"

#include <SDL.h>
#include <emscripten/html5.h>

#include "runtime/scale.h"

namespace host {
namespace {

// Whether the page was hidden since a screen last said whether it could be
// seen: while it is, the browser calls no step at all.
bool hiddenSinceAsked = false;

EM_BOOL OnVisibilityChange(int /*type*/, const EmscriptenVisibilityChangeEvent* event, void* /*data*/) {
  if (event->hidden) hiddenSinceAsked = true;
  return EM_FALSE;
}

// The canvas's pixels. A page that was hidden reads as unseen once, so that
// the first tick after it brings the angles up to the present.
class PageScreen final : public WindowScreen {
 public:
  using WindowScreen::WindowScreen;

  bool Visible() override {
    if (hiddenSinceAsked) {
      hiddenSinceAsked = false;
      return false;
    }
    return WindowScreen::Visible();
  }
};

class WebWindowSystem final : public WindowSystem {
 public:
  WebWindowSystem() { emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibilityChange); }

  // The canvas holds the picture at the whole scale nearest the device's
  // pixel ratio; the page shows it at the picture's size in CSS pixels, so
  // that each picture pixel is a block of whole device pixels.
  int DesktopScale() override { return runtime::WholeScale(emscripten_get_device_pixel_ratio()); }

  // SDL's own high-DPI support would size the canvas by the ratio unrounded.
  uint32_t WindowFlags() override { return 0; }

  std::unique_ptr<Screen> ScreenOf(SDL_Window* window) override { return std::make_unique<PageScreen>(window); }

  // The browser must not be kept waiting: the step only takes what came.
  void WaitForEvents(int /*milliseconds*/) override { SDL_PumpEvents(); }
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWeb() { return std::make_unique<WebWindowSystem>(); }

}  // namespace host
