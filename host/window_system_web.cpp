#include <SDL.h>
#include <emscripten/html5.h>

#include <utility>

#include "host/window_system_web.h"
#include "runtime/scale.h"

namespace host {
namespace {

// The page's canvas, whose step must not keep the browser waiting: it only
// takes what came.
class PageWindow final : public NativeWindow {
 public:
  using NativeWindow::NativeWindow;

  void WaitForEvents(int /*milliseconds*/) override { SDL_PumpEvents(); }
};

// The page's canvas as the window: at a whole scale of the picture, shown at
// the picture's size.
class WebWindowSystem final : public WindowSystem {
 public:
  // The canvas holds the picture at the whole scale nearest the device's
  // pixel ratio; the page shows it at the picture's size in CSS pixels, so
  // that each picture pixel is a block of whole device pixels.
  int DesktopScale() override { return runtime::WholeScale(emscripten_get_device_pixel_ratio()); }

  // SDL's own high-DPI support would size the canvas by the ratio unrounded.
  uint32_t WindowFlags() override { return 0; }

  std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> /*dialog*/) override {
    return std::make_unique<PageWindow>(std::move(window));
  }
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWeb() { return std::make_unique<WebWindowSystem>(); }

}  // namespace host
