#include "host/window_system_x11.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>

#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "host/fatal.h"
#include "host/presenter_x11.h"
#include "host/sdl_check.h"
#include "host/shared_pixels_x11.h"
#include "host/window_handles.h"
#include "runtime/scale.h"

namespace host {
namespace {

// The Motif window-manager hints, as window managers read them.
constexpr long kHintFunctions = 1L << 0;
constexpr long kHintDecorations = 1L << 1;
constexpr long kFunctionMove = 1L << 2;
constexpr long kFunctionClose = 1L << 5;
constexpr long kDecorBorder = 1L << 1;
constexpr long kDecorTitle = 1L << 3;
constexpr long kDecorMenu = 1L << 4;

// The window's caption, which the lines that end the program begin with.
std::string caption;

// Called by Xlib, which must not be returned to: the connection is gone.
int OnLostDisplay(Display*) { EndAtOnce(caption, "lost the connection to the display"); }

// The window of another program that the picture is drawn into. Its end is
// noticed as an event, or where a request about it comes first, as an X
// error; either way there is nothing left to do, and the toolkit, which still
// holds the window, must not touch it again. A window that goes while drawn
// into ends a run normally, as a screensaver ends its display program's run;
// one that is not there to begin with is an error.
Window adopted = 0;
bool drawingIntoAdopted = false;
XErrorHandler nextErrorHandler = nullptr;

[[noreturn]] void EndForTheWindowIsGone() {
  if (drawingIntoAdopted) std::_Exit(0);
  char line[64];
  std::snprintf(line, sizeof line, "there is no window 0x%lx to draw into", adopted);
  EndAtOnce(caption, line);
}

int OnError(Display* display, XErrorEvent* error) {
  if (adopted != 0 && error->resourceid == adopted &&
      (error->error_code == BadWindow || error->error_code == BadDrawable)) {
    EndForTheWindowIsGone();
  }
  return nextErrorHandler ? nextErrorHandler(display, error) : 0;
}

// The screensaver's window, as a screensaver names it to the programs it
// runs, in decimal or in hexadecimal with 0x.
Window ScreensaverWindow() {
  const char* named = std::getenv("XSCREENSAVER_WINDOW");
  return named ? std::strtoul(named, nullptr, 0) : 0;
}

// The desktop's scale: the font resolution in the resource database, as
// desktops set it, else the toolkits' scale variable.
double ScaleOf(Display* display) {
  if (const char* resources = XResourceManagerString(display)) {
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    double dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) dpi = std::atof(value.addr);
    XrmDestroyDatabase(database);
    if (dpi > 0) return dpi / runtime::kUnscaledDpi;
  }
  const char* gdkScale = std::getenv("GDK_SCALE");
  return gdkScale ? std::atof(gdkScale) : 1;
}

bool UsableVisual(int depth, int visualClass) {
  return visualClass == TrueColor && (depth == 15 || depth == 16 || depth == 24 || depth == 32);
}

// Where the default visual has pixels SDL cannot draw, such as 10 bits a
// channel, asks SDL for a 24- or 32-bit TrueColor visual of the same screen.
void ChooseVisual(Display* display) {
  const int screen = DefaultScreen(display);
  const Visual* visual = DefaultVisual(display, screen);
  if (UsableVisual(DefaultDepth(display, screen), visual->c_class)) return;
  for (int depth : {24, 32}) {
    XVisualInfo info;
    if (XMatchVisualInfo(display, screen, depth, TrueColor, &info)) {
      SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(info.visualid).c_str());
      return;
    }
  }
}

// The X handles of a window SDL shows on X11: its connection and window.
SDL_SysWMinfo X11HandlesOf(SDL_Window* window, std::string_view doing) {
  std::optional<SDL_SysWMinfo> handles;
  CheckSdl(doing, [&] {
    handles = HandlesOf(window, SDL_SYSWM_X11);
    return handles ? 0 : -1;
  });
  return *handles;
}

// The frame a window manager puts around a window, in pixels on each side.
struct FrameExtents {
  int left, right, top, bottom;
};

// How long a window manager may take to tell the frame it will put around a
// window: it answers at once, or never.
constexpr auto kFrameAnswer = std::chrono::milliseconds(100);

// Whether a window manager runs: it redirects what the root's children ask.
bool WindowManagerRuns(Display* display) {
  XWindowAttributes root;
  return XGetWindowAttributes(display, DefaultRootWindow(display), &root) &&
         (root.all_event_masks & SubstructureRedirectMask) != 0;
}

std::optional<FrameExtents> ReadFrameExtents(Display* display, Window window, Atom extents) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<FrameExtents> frame;
  if (XGetWindowProperty(display, window, extents, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data && format == 32 && count == 4) {
    const auto* sides = reinterpret_cast<const long*>(data);
    frame = FrameExtents{static_cast<int>(sides[0]), static_cast<int>(sides[1]), static_cast<int>(sides[2]),
                         static_cast<int>(sides[3])};
  }
  if (data) XFree(data);
  return frame;
}

// The frame the window manager will put around a window not yet shown,
// asked for as the window manager specification lets a program; none where
// no window manager answers (some answer without listing the request among
// those they support). What the server sends meanwhile stays queued for SDL.
std::optional<FrameExtents> AskFrameExtents(Display* display, Window window) {
  if (!WindowManagerRuns(display)) return std::nullopt;
  const Atom extents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = window;
  request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
  request.xclient.format = 32;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
  const auto deadline = std::chrono::steady_clock::now() + kFrameAnswer;
  while (true) {
    if (std::optional<FrameExtents> frame = ReadFrameExtents(display, window, extents)) return frame;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return std::nullopt;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
    XEventsQueued(display, QueuedAfterReading);
  }
}

// An X window's pixels: in memory shared with the X server where it can,
// else SDL's window surface; and much enlarged, drawn by the server itself.
// Whichever Pixels() last handed out is shown: the shared pixels while there
// are any, else SDL's.
class X11Screen final : public Screen {
 public:
  X11Screen(SDL_Window* window, Display* display, Window id) : sdl_(window), display_(display), id_(id) {}

  bool Visible() override { return sdl_.Visible(); }

  SDL_Surface* Pixels() override {
    XWindowAttributes attributes;
    if (refused_ || !XGetWindowAttributes(display_, id_, &attributes)) {
      shared_.reset();
      return sdl_.Pixels();
    }
    if (!shared_ || shared_->width() != attributes.width || shared_->height() != attributes.height) {
      shared_.reset();
      shared_ = SharedPixels::Make(display_, id_, attributes);
      refused_ = shared_ == nullptr;
    }
    return shared_ ? shared_->pixels() : sdl_.Pixels();
  }

  bool KeepsPixels() override { return shared_ != nullptr; }

  void AboutToDraw() override {
    if (shared_) shared_->AboutToDraw();
  }

  void Show() override {
    if (!shared_) return sdl_.Show();
    shared_->Show({{0, 0, shared_->width(), shared_->height()}});
  }

  void Show(const std::vector<runtime::raster::Rect>& parts) override {
    if (!shared_) return sdl_.Show(parts);
    shared_->Show(parts);
  }

  std::unique_ptr<Presenter> OwnPresenter(SoftwareSurface& picture) override {
    return XPresenter::For(display_, id_, picture);
  }

 private:
  WindowScreen sdl_;
  Display* display_;
  Window id_;
  std::unique_ptr<SharedPixels> shared_;  // none before the first Pixels() and once they are SDL's
  bool refused_ = false;                  // whether the server cannot share memory with the program
};

// A window on X11. SDL would ask the X server for news several times a
// wait; here the connection is read only when the server has written to it.
// The signals that ask the program to stop are let in only during the wait,
// so that they always cut it short, and SDL turns them into a request to
// quit.
class X11Window final : public NativeWindow {
 public:
  X11Window(SdlPtr<SDL_Window> window, bool dialog)
      : NativeWindow(std::move(window)),
        display_(X11HandlesOf(sdl(), "cannot reach the window").info.x11.display),
        screen_(sdl(), display_, X11HandlesOf(sdl(), "cannot reach the window").info.x11.window) {
    if (dialog) {
      const Window id = X11HandlesOf(sdl(), "cannot reach the window").info.x11.window;
      RequestDialogFrame(id);
      CentreWithFrame(id);
    }
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, &unblocked_);
  }
  ~X11Window() override { pthread_sigmask(SIG_SETMASK, &unblocked_, nullptr); }
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  Screen& screen() override { return screen_; }

  void WaitForEvents(int milliseconds) override {
    if (XEventsQueued(display_, QueuedAlready) == 0) {
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      timespec limit{milliseconds / 1000, milliseconds % 1000 * 1'000'000L};
      if (ppoll(&connection, 1, milliseconds < 0 ? nullptr : &limit, &unblocked_) == 0) return;
    }
    SDL_PumpEvents();
  }

  void Notice(const SDL_SysWMmsg& message) override {
    if (message.subsystem != SDL_SYSWM_X11) return;
    const XEvent& event = message.msg.x11.event;
    if (event.type == DestroyNotify && event.xdestroywindow.window == adopted) EndForTheWindowIsGone();
  }

 private:
  // The frame of a fixed dialog: moved and closed, but not resized,
  // minimized or maximized. The window keeps the type SDL gives it, a normal
  // one: some window managers put a dialog without an owner window in the
  // taskbar whatever it asks.
  void RequestDialogFrame(Window id) {
    const long motif[5] = {kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose,
                           kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    const Atom motifHints = XInternAtom(display_, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display_, id, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);
    XFlush(display_);
  }

  // Places the window so that it is centred with its frame, as the window
  // manager, asked before the window is shown, says the frame will be. The
  // window manager puts the frame's corner where the window asks to be.
  void CentreWithFrame(Window id) {
    const std::optional<FrameExtents> frame = AskFrameExtents(display_, id);
    if (!frame) return;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(sdl())), &bounds) != 0) return;
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl(), &width, &height);
    const int x = bounds.x + (bounds.w - (width + frame->left + frame->right)) / 2;
    const int y = bounds.y + (bounds.h - (height + frame->top + frame->bottom)) / 2;
    XMoveWindow(display_, id, x, y);
    XSizeHints hints{};
    long supplied = 0;
    if (XGetWMNormalHints(display_, id, &hints, &supplied)) {
      hints.x = x;
      hints.y = y;
      XSetWMNormalHints(display_, id, &hints);
    }
    XFlush(display_);
  }

  Display* display_;  // SDL's connection
  X11Screen screen_;
  sigset_t unblocked_;  // the signals let in before
};

class X11WindowSystem final : public WindowSystem {
 public:
  X11WindowSystem(int scale, Window root) : scale_(scale), root_(root) {}

  int DesktopScale() override { return scale_; }

  std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog) override {
    return std::make_unique<X11Window>(std::move(window), dialog.has_value());
  }

  std::unique_ptr<NativeWindow> Adopt(std::optional<uint64_t> id) override {
    const Window screensaver = ScreensaverWindow();
    adopted = id ? static_cast<Window>(*id) : screensaver ? screensaver : root_;
    nextErrorHandler = XSetErrorHandler(OnError);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);

    // SDL takes the X window's id in the place of a pointer.
    SdlPtr<SDL_Window> window(CheckSdl("cannot draw into the window", [] {
      return SDL_CreateWindowFrom(reinterpret_cast<const void*>(adopted));  // NOLINT(performance-no-int-to-ptr)
    }));
    // SDL watches only the windows it made: the size and exposure of this
    // one are asked for here, beside whatever SDL already asked of it.
    Display* display = X11HandlesOf(window.get(), "cannot reach the window drawn into").info.x11.display;
    XWindowAttributes attributes;
    XGetWindowAttributes(display, adopted, &attributes);
    XSelectInput(display, adopted, attributes.your_event_mask | StructureNotifyMask | ExposureMask);
    XSync(display, False);
    drawingIntoAdopted = true;
    return std::make_unique<X11Window>(std::move(window), false);
  }

 private:
  int scale_;
  Window root_;
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectX11(std::string_view windowCaption) {
  // Without this SDL puts an OpenGL renderer behind the window's pixels.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  caption = std::string(windowCaption);
  XSetIOErrorHandler(OnLostDisplay);

  int scale = 1;
  Window root = 0;
  if (Display* display = XOpenDisplay(nullptr)) {
    scale = runtime::WholeScale(ScaleOf(display));
    root = DefaultRootWindow(display);
    ChooseVisual(display);
    XCloseDisplay(display);
  }
  return std::make_unique<X11WindowSystem>(scale, root);
}

}  // namespace host
