#include "host/window_system_wayland.h"

#include <wayland-client.h>

#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "host/fatal.h"
#include "host/screen_wayland.h"
#include "host/sdl_check.h"
#include "host/sdl_ptr.h"
#include "host/window_handles.h"
#include "runtime/scale.h"

namespace host {
namespace {

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

  ShmScreen screen_;
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
  return std::make_unique<WaylandWindowSystem>(caption);
}

}  // namespace host
