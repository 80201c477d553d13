#include "host/screen_wayland.h"

#include <SDL.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <utility>

#include "host/sdl_check.h"
#include "host/window_handles.h"
#include "runtime/error.h"

namespace host {
namespace raster = runtime::raster;

namespace {

// Two buffers serve a compositor that shows one while the next is written;
// the third, one that holds a buffer for a frame longer. Beyond that, a show
// asks the compositor what it let go, and if nothing, leaves what changed
// to the next show.
constexpr size_t kMostBuffers = 3;
// Beyond this many parts not yet written into a buffer, the whole is.
constexpr size_t kMostParts = 256;

// The first version of a surface that takes damage in its buffer's pixels.
constexpr uint32_t kDamageInPixels = WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION;

// SDL's 32-bit pixels, red highest, are the compositor's XRGB8888.
constexpr uint32_t kFormat = SDL_PIXELFORMAT_RGB888;

[[noreturn]] void Fail(const char* what) { throw runtime::Error(runtime::ErrorKind::Host, what); }

}  // namespace

// One buffer of shared memory the size of the window's pixels, and the parts
// of it that are behind the window's pixels.
class ShmScreen::Buffer {
 public:
  Buffer(wl_shm* shm, const SDL_Surface& pixels) : width_(pixels.w), height_(pixels.h), stride_(pixels.pitch) {
    size_ = static_cast<size_t>(stride_) * static_cast<size_t>(height_);
    const int file = memfd_create("fractal-tree", MFD_CLOEXEC);
    void* memory = file < 0 || ftruncate(file, static_cast<off_t>(size_)) != 0
                       ? MAP_FAILED
                       : mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    if (memory == MAP_FAILED) {
      if (file >= 0) close(file);
      Fail("cannot share the window's pixels");
    }
    memory_ = static_cast<uint8_t*>(memory);
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, static_cast<int32_t>(size_));
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width_, height_, stride_, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(file);
    static constexpr wl_buffer_listener kListener{Released};
    wl_buffer_add_listener(buffer_, &kListener, this);
  }

  ~Buffer() {
    wl_buffer_destroy(buffer_);
    munmap(memory_, size_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  bool held() const { return held_; }

  // Marks parts of the window's pixels as changed since this buffer was
  // written.
  void Behind(const std::vector<raster::Rect>& parts) {
    if (behind_.size() + parts.size() > kMostParts) {
      behind_ = {{0, 0, width_, height_}};
    } else {
      behind_.insert(behind_.end(), parts.begin(), parts.end());
    }
  }

  // Brings the buffer up to the window's pixels, and hands it to the
  // compositor, which holds it until it lets it go.
  void Attach(wl_surface* surface, const SDL_Surface& pixels) {
    const auto* from = static_cast<const uint8_t*>(pixels.pixels);
    for (const raster::Rect& part : behind_) {
      const size_t offset =
          static_cast<size_t>(part.y) * static_cast<size_t>(stride_) + static_cast<size_t>(part.x) * sizeof(uint32_t);
      for (int row = 0; row < part.height; ++row) {
        const size_t at = offset + static_cast<size_t>(row) * static_cast<size_t>(stride_);
        std::memcpy(memory_ + at, from + at, static_cast<size_t>(part.width) * sizeof(uint32_t));
      }
    }
    behind_.clear();
    wl_surface_attach(surface, buffer_, 0, 0);
    held_ = true;
  }

 private:
  static void Released(void* data, wl_buffer* /*buffer*/) { static_cast<Buffer*>(data)->held_ = false; }

  int width_;
  int height_;
  int stride_;
  size_t size_;
  uint8_t* memory_;
  wl_buffer* buffer_;
  bool held_ = false;
  // Every pixel, at first.
  std::vector<raster::Rect> behind_{{0, 0, width_, height_}};
};

ShmScreen::ShmScreen(SDL_Window* window) : window_(window) {}

ShmScreen::~ShmScreen() {
  buffers_.clear();
  if (shm_) wl_shm_destroy(shm_);
  if (registry_) wl_registry_destroy(registry_);
  if (queue_) wl_event_queue_destroy(queue_);
}

bool ShmScreen::Visible() { return CanBeSeen(window_); }

namespace {

void NoteShm(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t /*version*/) {
  if (std::strcmp(interface, wl_shm_interface.name) == 0) {
    *static_cast<wl_shm**>(data) = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
  }
}

void IgnoreRemoval(void* /*data*/, wl_registry* /*registry*/, uint32_t /*name*/) {}

}  // namespace

void ShmScreen::Connect() {
  const std::optional<SDL_SysWMinfo> handles = HandlesOf(window_, SDL_SYSWM_WAYLAND);
  if (!handles) Fail("the window is not on Wayland");
  display_ = handles->info.wl.display;
  surface_ = handles->info.wl.surface;
  // The registry is made on the program's own queue, so that waiting for
  // its answer leaves SDL's events to SDL.
  queue_ = wl_display_create_queue(display_);
  auto* display = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
  wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(display), queue_);
  registry_ = wl_display_get_registry(display);
  wl_proxy_wrapper_destroy(display);
  static constexpr wl_registry_listener kListener{NoteShm, IgnoreRemoval};
  wl_registry_add_listener(registry_, &kListener, &shm_);
  if (wl_display_roundtrip_queue(display_, queue_) < 0 || !shm_) Fail("the compositor shares no memory");
}

SDL_Surface* ShmScreen::Pixels() {
  if (!display_) Connect();
  int width = 0, height = 0;
  SDL_GetWindowSizeInPixels(window_, &width, &height);
  if (!pixels_ || pixels_->w != width || pixels_->h != height) {
    buffers_.clear();
    unshown_.clear();
    pixels_.reset(CheckSdl("cannot hold the window's pixels",
                           [&] { return SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, kFormat); }));
  }
  return pixels_.get();
}

void ShmScreen::Show() { Show({{0, 0, pixels_->w, pixels_->h}}); }

void ShmScreen::Show(const std::vector<raster::Rect>& parts) {
  if (parts.empty()) return;
  for (const auto& buffer : buffers_) buffer->Behind(parts);
  unshown_.insert(unshown_.end(), parts.begin(), parts.end());
  Buffer* buffer = FreeBuffer();
  if (!buffer) return;
  buffer->Attach(surface_, *pixels_);
  if (unshown_.size() > kMostParts || wl_proxy_get_version(reinterpret_cast<wl_proxy*>(surface_)) < kDamageInPixels) {
    // Many parts are damaged as the whole, and so is every part of a surface
    // older than damage in its buffer's pixels.
    wl_surface_damage(surface_, 0, 0, INT32_MAX, INT32_MAX);
  } else {
    for (const raster::Rect& part : unshown_) {
      wl_surface_damage_buffer(surface_, part.x, part.y, part.width, part.height);
    }
  }
  unshown_.clear();
  wl_surface_commit(surface_);
  wl_display_flush(display_);
}

ShmScreen::Buffer* ShmScreen::FreeBuffer() {
  const auto released = [&]() -> Buffer* {
    wl_display_dispatch_queue_pending(display_, queue_);
    for (const auto& buffer : buffers_) {
      if (!buffer->held()) return buffer.get();
    }
    return nullptr;
  };
  if (Buffer* buffer = released()) return buffer;
  if (buffers_.size() < kMostBuffers) {
    buffers_.push_back(std::make_unique<Buffer>(shm_, *pixels_));
    return buffers_.back().get();
  }
  // The compositor may have let one go since SDL last read what it said.
  wl_display_roundtrip_queue(display_, queue_);
  return released();
}

}  // namespace host
