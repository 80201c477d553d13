#include "host/window_system_wayland.h"

#include <wayland-client.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "host/fatal.h"
#include "host/sdl_check.h"
#include "host/sdl_ptr.h"
#include "host/window_handles.h"
#include "runtime/scale.h"

namespace host {
namespace {

// SDL's window surface on Wayland is as large as the window's size, in the
// desktop's units, and a renderer stretches it over the window's pixels: by
// 1.5 on a desktop scaled to 150 %, which draws lines unevenly. This screen
// holds the window's pixels themselves, and shows them through a renderer
// one to one. OpenGL ES is the renderer that shows them with the widest
// range of drivers.
class PixelScreen final : public Screen {
 public:
  explicit PixelScreen(SDL_Window* window) : window_(window) {}

  bool Visible() override { return CanBeSeen(window_); }

  // The renderer is made once the window is shown; the pixels again for
  // each new size of the window.
  SDL_Surface* Pixels() override {
    if (!renderer_) {
      SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengles2");
      renderer_.reset(CheckSdl("cannot draw in the window", [&] { return SDL_CreateRenderer(window_, -1, 0); }));
    }
    int width = 0, height = 0;
    CheckSdl("cannot get the window's size",
             [&] { return SDL_GetRendererOutputSize(renderer_.get(), &width, &height); });
    if (!pixels_ || pixels_->w != width || pixels_->h != height) {
      texture_.reset(CheckSdl("cannot hold the window's pixels", [&] {
        return SDL_CreateTexture(renderer_.get(), SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
      }));
      pixels_.reset(CheckSdl("cannot hold the window's pixels", [&] {
        return SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
      }));
    }
    return pixels_.get();
  }

  void Show() override {
    CheckSdl("cannot show the picture",
             [&] { return SDL_UpdateTexture(texture_.get(), nullptr, pixels_->pixels, pixels_->pitch); });
    CheckSdl("cannot show the picture",
             [&] { return SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr); });
    SDL_RenderPresent(renderer_.get());
  }

  // The renderer shows the whole texture.
  void Show(const std::vector<runtime::raster::Rect>& /*parts*/) override { Show(); }

 private:
  SDL_Window* window_;
  SdlPtr<SDL_Renderer> renderer_;
  SdlPtr<SDL_Texture> texture_;
  SdlPtr<SDL_Surface> pixels_;
};

class WaylandWindow final : public NativeWindow {
 public:
  WaylandWindow(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog, std::string_view caption)
      : NativeWindow(std::move(window)), screen_(sdl()), fixedSize_(dialog.has_value()), caption_(caption) {
    if (dialog) HoldWholeScale(*dialog);
  }

  Screen& screen() override { return screen_; }

  // A toplevel's smallest and largest sizes reach the compositor only once it
  // is shown. Equal, they keep its size fixed, and make tiling compositors
  // float it rather than give it a tile's size.
  void Show() override {
    SDL_ShowWindow(sdl());
    // A compositor that answers a request for its own frame with "draw it
    // yourself" makes SDL drop its toplevel for libdecor's, which SDL then
    // fails to show while it is still showing the window: show it again.
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(sdl(), SDL_SYSWM_WAYLAND);
    if (handles && handles->info.wl.xdg_toplevel == nullptr) {
      SDL_HideWindow(sdl());
      SDL_ShowWindow(sdl());
    }
    if (!fixedSize_) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl(), &width, &height);
    SDL_SetWindowMaximumSize(sdl(), width, height);
    SDL_SetWindowMinimumSize(sdl(), width, height);
  }

  // SDL reads a broken connection to the compositor as a request to quit.
  void EndIfDisplayLost() override {
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(sdl(), SDL_SYSWM_WAYLAND);
    if (handles && wl_display_get_error(handles->info.wl.display) != 0) {
      EndAtOnce(caption_, "lost the connection to the display");
    }
  }

 private:
  // The window's size counts units of the desktop, each several pixels on a
  // scaled desktop, 1.5 at 150 %: the window is sized so that its pixels
  // hold the picture at the whole scale nearest the desktop's, as on X11. A
  // size in units that is not whole is rounded up, so that the pixels are
  // never one short of the picture's. SDL counts the pixels rounded: the
  // desktop's scale is the nearest step of the compositors' fractional
  // scales to their number over the units.
  void HoldWholeScale(const DialogSize& dialog) {
    int units = 0, unitsHigh = 0, pixels = 0, pixelsHigh = 0;
    SDL_GetWindowSize(sdl(), &units, &unitsHigh);
    SDL_GetWindowSizeInPixels(sdl(), &pixels, &pixelsHigh);
    if (units <= 0 || pixels <= 0) return;
    const double pixelsPerUnit = std::round(static_cast<double>(pixels) / units * kScaleSteps) / kScaleSteps;
    const int scale = dialog.asked > 0 ? dialog.asked : runtime::WholeScale(pixelsPerUnit);
    const auto unitsFor = [&](int picturePixels) {
      return static_cast<int>(std::ceil(picturePixels * scale / pixelsPerUnit - kRoundingSlack));
    };
    if (unitsFor(dialog.pictureWidth) != units || unitsFor(dialog.pictureHeight) != unitsHigh) {
      SDL_SetWindowSize(sdl(), unitsFor(dialog.pictureWidth), unitsFor(dialog.pictureHeight));
    }
  }

  // Compositors give fractional scales in 120ths.
  static constexpr double kScaleSteps = 120;
  // Less than any size in units can miss a whole number by, more than the
  // rounding of a division.
  static constexpr double kRoundingSlack = 1e-6;

  PixelScreen screen_;
  bool fixedSize_;
  std::string caption_;
};

class WaylandWindowSystem final : public WindowSystem {
 public:
  explicit WaylandWindowSystem(std::string_view caption) : caption_(caption) {}

  std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog) override {
    return std::make_unique<WaylandWindow>(std::move(window), dialog, caption_);
  }

 private:
  std::string caption_;
};

void NoteSeat(void* data, wl_registry* /*registry*/, uint32_t /*name*/, const char* interface, uint32_t /*version*/) {
  if (std::strcmp(interface, wl_seat_interface.name) == 0) *static_cast<bool*>(data) = true;
}

void IgnoreRemoval(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

}  // namespace

bool WaylandLacksSeat() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return false;
  bool seat = false;
  static constexpr wl_registry_listener kListener{NoteSeat, IgnoreRemoval};
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListener, &seat);
  const bool answered = wl_display_roundtrip(display) >= 0;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return answered && !seat;
}

std::unique_ptr<WindowSystem> ConnectWayland(std::string_view caption) {
  // The window is made for OpenGL ES 2 from the start: a renderer that finds
  // it made otherwise makes it again, and a toplevel made again loses the
  // sizes and the place the compositor gave the first.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
  return std::make_unique<WaylandWindowSystem>(caption);
}

}  // namespace host
