#include "host/shared_pixels_x11.h"

#include <SDL.h>
#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <utility>
#include <vector>

namespace host {
namespace {

// Half a tick: no frame is drawn sooner after the last was shown but for a
// tick right after an expose or a resize.
constexpr auto kServerCatchesUp = std::chrono::milliseconds(50);

// Whether the server failed the request to attach the memory, as a server
// on another machine does; Xlib's handler would end the program.
bool attachFailed = false;
int NoteFailure(Display* /*display*/, XErrorEvent* /*error*/) {
  attachFailed = true;
  return 0;
}

}  // namespace

std::unique_ptr<SharedPixels> SharedPixels::Make(Display* display, Window window, const XWindowAttributes& attributes) {
  if (!XShmQueryExtension(display)) return nullptr;
  // The image keeps the address of the segment's description: it lives as
  // long as the image.
  auto held = std::make_unique<XShmSegmentInfo>();
  XShmSegmentInfo& segment = *held;
  XImage* image =
      XShmCreateImage(display, attributes.visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr, &segment,
                      static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height));
  if (!image) return nullptr;
  segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * static_cast<size_t>(image->height),
                         IPC_CREAT | 0600);
  if (segment.shmid < 0) {
    XDestroyImage(image);
    return nullptr;
  }
  void* const mapped = shmat(segment.shmid, nullptr, 0);
  const bool inMemory = mapped != reinterpret_cast<void*>(-1);  // NOLINT(performance-no-int-to-ptr)
  segment.shmaddr = image->data = inMemory ? static_cast<char*>(mapped) : nullptr;
  segment.readOnly = False;
  bool attached = false;
  if (inMemory) {
    XSync(display, False);
    attachFailed = false;
    const XErrorHandler previous = XSetErrorHandler(NoteFailure);
    XShmAttach(display, &segment);
    XSync(display, False);
    XSetErrorHandler(previous);
    attached = !attachFailed;
  }
  // Gone with the last to detach it, the server or the program.
  shmctl(segment.shmid, IPC_RMID, nullptr);
  SdlPtr<SDL_Surface> surface(
      attached ? SDL_CreateRGBSurfaceWithFormatFrom(
                     image->data, image->width, image->height, image->bits_per_pixel, image->bytes_per_line,
                     SDL_MasksToPixelFormatEnum(image->bits_per_pixel, static_cast<Uint32>(image->red_mask),
                                                static_cast<Uint32>(image->green_mask),
                                                static_cast<Uint32>(image->blue_mask), 0))
               : nullptr);
  if (!surface) {
    if (attached) {
      XShmDetach(display, &segment);
      XSync(display, False);
    }
    // Mapped whether or not the server took it.
    if (inMemory) shmdt(segment.shmaddr);
    image->data = nullptr;
    XDestroyImage(image);
    return nullptr;
  }
  return std::make_unique<SharedPixels>(display, window, image, std::move(held), std::move(surface));
}

SharedPixels::SharedPixels(Display* display, Window window, XImage* image, std::unique_ptr<XShmSegmentInfo> segment,
                           SdlPtr<SDL_Surface> surface)
    : display_(display),
      window_(window),
      gc_(XCreateGC(display, window, 0, nullptr)),
      image_(image),
      segment_(std::move(segment)),
      surface_(std::move(surface)) {}

SharedPixels::~SharedPixels() {
  surface_.reset();
  XShmDetach(display_, segment_.get());
  XSync(display_, False);
  shmdt(segment_->shmaddr);
  image_->data = nullptr;
  XDestroyImage(image_);
  XFreeGC(display_, gc_);
}

int SharedPixels::width() const { return image_->width; }
int SharedPixels::height() const { return image_->height; }

void SharedPixels::AboutToDraw() {
  if (std::chrono::steady_clock::now() - shown_ < kServerCatchesUp) XSync(display_, False);
}

void SharedPixels::Show(const std::vector<runtime::raster::Rect>& parts) {
  for (const auto& part : parts) {
    XShmPutImage(display_, window_, gc_, image_, part.x, part.y, part.x, part.y, static_cast<unsigned>(part.width),
                 static_cast<unsigned>(part.height), False);
  }
  XFlush(display_);
  shown_ = std::chrono::steady_clock::now();
}

}  // namespace host
