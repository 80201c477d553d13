#pragma once

#include <wayland-client.h>

#include <memory>
#include <vector>

#include "host/screen.h"
#include "host/sdl_ptr.h"
#include "runtime/tiles.h"

namespace host {

// A Wayland window's pixels, shown by handing the compositor buffers of
// shared memory of the program's own, each told exactly which parts of it
// changed. SDL's window surface on Wayland goes through OpenGL, which
// without a graphics card draws the whole window in software at every show,
// and tells the compositor that the whole changed, so that it composes the
// whole again too. The buffer size is the window's size in pixels, which
// SDL keeps matched to the surface's scale.
class ShmScreen final : public Screen {
 public:
  explicit ShmScreen(SDL_Window* window);
  ~ShmScreen() override;
  ShmScreen(const ShmScreen&) = delete;
  ShmScreen& operator=(const ShmScreen&) = delete;

  bool Visible() override;
  SDL_Surface* Pixels() override;
  bool KeepsPixels() override { return true; }
  void Show() override;
  void Show(const std::vector<runtime::raster::Rect>& parts) override;

 private:
  class Buffer;

  void Connect();
  // A buffer the compositor does not hold; a new one if it holds them all,
  // none if it holds as many as a screen makes.
  Buffer* FreeBuffer();

  SDL_Window* window_;
  wl_display* display_ = nullptr;
  wl_surface* surface_ = nullptr;
  // The program's own queue, for the shared memory's and the buffers'
  // events, which SDL's reading of the connection sorts into it.
  wl_event_queue* queue_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_shm* shm_ = nullptr;
  SdlPtr<SDL_Surface> pixels_;
  std::vector<std::unique_ptr<Buffer>> buffers_;
  // What changed since the last frame the compositor was handed: more than
  // the last show's parts when that show found every buffer held.
  std::vector<runtime::raster::Rect> unshown_;
};

}  // namespace host
