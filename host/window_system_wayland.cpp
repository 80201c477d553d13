#include "host/window_system_wayland.h"

#include <wayland-client.h>

#include <cmath>
#include <string>

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
SDL_Renderer* CreateRenderer(SDL_Window* window) {
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengles2");
  return CheckSdl("cannot draw in the window", [&] { return SDL_CreateRenderer(window, -1, 0); });
}

class PixelScreen final : public WindowScreen {
 public:
  using WindowScreen::WindowScreen;

  // The renderer is made once the window is shown.
  SDL_Surface* Pixels() override {
    if (!renderer_) renderer_.reset(CreateRenderer(window()));
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

  // The renderer shows the whole texture.
  void Show(const std::vector<runtime::raster::Rect>& /*parts*/) override { Show(); }

  void Show() override {
    CheckSdl("cannot show the picture",
             [&] { return SDL_UpdateTexture(texture_.get(), nullptr, pixels_->pixels, pixels_->pitch); });
    CheckSdl("cannot show the picture",
             [&] { return SDL_RenderCopy(renderer_.get(), texture_.get(), nullptr, nullptr); });
    SDL_RenderPresent(renderer_.get());
  }

 private:
  SdlPtr<SDL_Renderer> renderer_;
  SdlPtr<SDL_Texture> texture_;
  SdlPtr<SDL_Surface> pixels_;
};

class WaylandWindowSystem final : public WindowSystem {
 public:
  explicit WaylandWindowSystem(std::string_view caption) : caption_(caption) {}

  // The window's size counts units of the desktop, each several pixels on a
  // scaled desktop, 1.5 at 150 %: the window is sized so that its pixels
  // hold the picture at the whole scale nearest the desktop's, as on X11.
  void HoldWholeScale(SDL_Window* window, int pictureWidth, int pictureHeight, int asked) override {
    int units = 0, unitsHigh = 0, pixels = 0, pixelsHigh = 0;
    SDL_GetWindowSize(window, &units, &unitsHigh);
    SDL_GetWindowSizeInPixels(window, &pixels, &pixelsHigh);
    if (units <= 0 || pixels <= 0) return;
    const double pixelsPerUnit = static_cast<double>(pixels) / units;
    const int scale = asked > 0 ? asked : runtime::WholeScale(pixelsPerUnit);
    const auto unitsFor = [&](int picturePixels) {
      return static_cast<int>(std::lround(picturePixels * scale / pixelsPerUnit));
    };
    if (unitsFor(pictureWidth) != units || unitsFor(pictureHeight) != unitsHigh) {
      SDL_SetWindowSize(window, unitsFor(pictureWidth), unitsFor(pictureHeight));
    }
  }

  // A toplevel's smallest and largest sizes reach the compositor only once it
  // is shown. Equal, they keep its size fixed, and make tiling compositors
  // float it rather than give it a tile's size.
  void KeepSizeFixed(SDL_Window* window) override {
    // A compositor that answers a request for its own frame with "draw it
    // yourself" makes SDL drop its toplevel for libdecor's, which SDL then
    // fails to show while it is still showing the window: show it again.
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(window, SDL_SYSWM_WAYLAND);
    if (handles && handles->info.wl.xdg_toplevel == nullptr) {
      SDL_HideWindow(window);
      SDL_ShowWindow(window);
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(window, &width, &height);
    SDL_SetWindowMaximumSize(window, width, height);
    SDL_SetWindowMinimumSize(window, width, height);
  }

  std::unique_ptr<Screen> ScreenOf(SDL_Window* window) override {
    window_ = window;
    return std::make_unique<PixelScreen>(window);
  }

  // SDL reads a broken connection to the compositor as a request to quit.
  void EndIfDisplayLost() override {
    if (!window_) return;
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(window_, SDL_SYSWM_WAYLAND);
    if (handles && wl_display_get_error(handles->info.wl.display) != 0) {
      EndAtOnce(caption_, "lost the connection to the display");
    }
  }

 private:
  std::string caption_;
  SDL_Window* window_ = nullptr;
};

}  // namespace

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
