#include <SDL.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <utility>

#include "host/loop_web.h"
#include "host/sdl_check.h"
#include "host/window_system_web.h"
#include "runtime/scale.h"

namespace host {
namespace {

// SDL's window is a stand-in canvas, never shown, that SDL may size and
// listen to as it likes; SDL finds it by this selector. The page's canvas
// shows the pixels the program puts on it (see PutPixels).
EM_JS(void, GiveSdlAStandIn, (), { specialHTMLTargets['#canvas'] = document.createElement('canvas'); });

// Shows the canvas at the size given in CSS pixels.
EM_JS(void, SizeTheCanvas, (double width, double height), {
  Module['canvas'].style.width = width + 'px';
  Module['canvas'].style.height = height + 'px';
});

// Whether the page that made the module asked for a still tree from the start.
EM_JS(bool, StartPaused, (), { return !!Module['startPaused']; });

// Where SDL takes keys from, rather than the whole page, whose Tab, arrows
// and own keys it would stop: the canvas, which never has the focus.
constexpr const char* kNoKeys = "#canvas";

// Puts the parts given of the pixels, in the module's memory, on the canvas:
// an image over that memory, with no copy and no conversion, whose changed
// parts alone the browser takes. The canvas is drawn through an offscreen
// canvas, where the browser has them, whose frames go to the screen as they
// are put, with no work for the rest of the page: a frame of the page's own
// would lay it out, paint and composite it again at every tick.
EM_JS(void, PutPixels, (const void* pixels, int width, int height, const void* parts, int count), {
  if (!Module['offscreen']) {
    var canvas = Module['canvas'];
    Module['offscreen'] = canvas.transferControlToOffscreen ? canvas.transferControlToOffscreen() : canvas;
  }
  var offscreen = Module['offscreen'];
  if (offscreen.width != width || offscreen.height != height) {
    offscreen.width = width;
    offscreen.height = height;
  }
  var context = offscreen.getContext('2d');
  var image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height);
  for (var i = 0; i < count; ++i) {
    var part = HEAP32.subarray((parts >> 2) + 4 * i, (parts >> 2) + 4 * i + 4);
    context.putImageData(image, 0, 0, part[0], part[1], part[2], part[3]);
  }
});

// The page's canvas. Its pixels are the program's own, in the order of the
// browser's images (red, green, blue and alpha bytes), so that the browser
// takes them as they are. The reader may pause the tree: paused, the canvas
// reads as one that cannot be seen, so that no tick runs and the picture
// holds.
class PageScreen final : public Screen {
 public:
  explicit PageScreen(SDL_Window* window) : window_(window) {}

  bool Visible() override { return !paused && CanBeSeen(window_); }

  SDL_Surface* Pixels() override {
    int width, height;
    SDL_GetWindowSize(window_, &width, &height);
    if (!pixels_ || pixels_->w != width || pixels_->h != height) {
      pixels_.reset(CheckSdl("cannot make the canvas's pixels", [&] {
        return SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
      }));
    }
    return pixels_.get();
  }

  bool KeepsPixels() override { return true; }

  void Show() override { Show({{0, 0, pixels_->w, pixels_->h}}); }

  void Show(const std::vector<runtime::raster::Rect>& parts) override {
    static_assert(sizeof(runtime::raster::Rect) == 4 * sizeof(int), "each part is four ints: x, y, width, height");
    PutPixels(pixels_->pixels, pixels_->w, pixels_->h, parts.data(), static_cast<int>(parts.size()));
  }

  bool paused = false;

 private:
  SDL_Window* window_;
  SdlPtr<SDL_Surface> pixels_;
};

// The page's canvas as the window. It holds the picture at the device's
// pixel ratio rounded to a whole scale, unless one was asked for, and shows
// it at its size in pixels over the ratio, so that each of its pixels is a
// device pixel; it follows the ratio as it changes. The browser is never
// kept waiting: it calls the next step when it is due.
class PageWindow final : public NativeWindow {
 public:
  PageWindow(SdlPtr<SDL_Window> window, DialogSize size)
      : NativeWindow(std::move(window)), screen_(sdl()), size_(size), startsStill_(StartPaused()) {
    screen_.paused = startsStill_;
    FollowThePixelRatio();
    SDL_FlushEvent(SDL_WINDOWEVENT);  // nothing is drawn yet to show again
    page = this;
  }
  ~PageWindow() override { page = nullptr; }

  Screen& screen() override { return screen_; }
  bool StartsStill() override { return startsStill_; }

  void WaitForEvents(int milliseconds) override { CallNextStepIn(FollowThePixelRatio() ? 0 : milliseconds); }

  // Pauses or resumes the tree; a paused tree has missed its ticks when it
  // resumes, as a hidden one has.
  void Pause(bool paused) {
    if (paused == screen_.paused) return;
    screen_.paused = paused;
    if (paused) PushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    WakeTheLoop();
  }

  // The page's window, for the page's calls.
  static PageWindow* page;

 private:
  // Sizes the canvas for the device's pixel ratio where it changed; says
  // whether it did, when the whole picture is to be shown again.
  bool FollowThePixelRatio() {
    const double ratio = emscripten_get_device_pixel_ratio();
    if (ratio == ratio_) return false;
    ratio_ = ratio;
    if (const int scale = runtime::WholeScale(ratio); size_.asked == 0 && scale != Scale()) {
      SDL_SetWindowSize(sdl(), size_.pictureWidth * scale, size_.pictureHeight * scale);
    }
    SizeTheCanvas(size_.pictureWidth * Scale() / ratio, size_.pictureHeight * Scale() / ratio);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    return true;
  }

  // The whole scale the canvas holds the picture at.
  int Scale() const {
    int width, height;
    SDL_GetWindowSize(sdl(), &width, &height);
    return width / size_.pictureWidth;
  }

  void PushWindowEvent(SDL_WindowEventID type) {
    SDL_Event event{};
    event.window.type = SDL_WINDOWEVENT;
    event.window.event = type;
    event.window.windowID = SDL_GetWindowID(sdl());
    SDL_PushEvent(&event);
  }

  PageScreen screen_;
  DialogSize size_;
  bool startsStill_;
  double ratio_ = 0;
};

PageWindow* PageWindow::page = nullptr;

class WebWindowSystem final : public WindowSystem {
 public:
  // The program takes no input in the page: SDL neither takes keys from
  // it nor keeps the page from its own handling of the mouse and touches.
  WebWindowSystem() {
    GiveSdlAStandIn();
    SDL_SetHint(SDL_HINT_EMSCRIPTEN_KEYBOARD_ELEMENT, kNoKeys);
    for (const auto type : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP, SDL_MOUSEWHEEL, SDL_FINGERDOWN,
                            SDL_FINGERUP, SDL_FINGERMOTION}) {
      SDL_EventState(type, SDL_IGNORE);
    }
  }

  int DesktopScale() override { return runtime::WholeScale(emscripten_get_device_pixel_ratio()); }

  // SDL's own high-DPI support would size the canvas by the ratio unrounded.
  uint32_t WindowFlags() override { return 0; }

  std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog) override {
    return std::make_unique<PageWindow>(std::move(window), dialog.value_or(DialogSize{1, 1, 0}));
  }
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWeb() { return std::make_unique<WebWindowSystem>(); }

}  // namespace host

// Pauses (1) or resumes (0) the page's tree: the page's element calls it.
extern "C" EMSCRIPTEN_KEEPALIVE void fractal_tree_pause(int paused) {
  if (host::PageWindow::page) host::PageWindow::page->Pause(paused != 0);
}
