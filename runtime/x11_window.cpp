#include "runtime/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/enlarge.h"

namespace runtime {
namespace {

// The Motif window-manager hints, as window managers read them.
constexpr long kHintFunctions = 1L << 0;
constexpr long kHintDecorations = 1L << 1;
constexpr long kFunctionMove = 1L << 2;
constexpr long kFunctionClose = 1L << 5;
constexpr long kDecorBorder = 1L << 1;
constexpr long kDecorTitle = 1L << 3;
constexpr long kDecorMenu = 1L << 4;

// The resolution of an unscaled desktop, in dots per inch.
constexpr double kUnscaledDpi = 96;

std::string lostDisplayLine;

// Called by Xlib, which must not be returned to: the connection is gone.
int OnLostDisplay(Display*) {
  std::fputs(lostDisplayLine.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(1);
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
    if (dpi > 0) return dpi / kUnscaledDpi;
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

class X11WindowSystem final : public WindowSystem {
 public:
  explicit X11WindowSystem(int scale) : scale_(scale) {}

  int DesktopScale() override { return scale_; }

  void RequestDialogFrame(SDL_Window* window) override {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    Display* display = info.info.x11.display;
    const Window id = info.info.x11.window;

    const long motif[5] = {kHintFunctions | kHintDecorations, kFunctionMove | kFunctionClose,
                           kDecorBorder | kDecorTitle | kDecorMenu, 0, 0};
    const Atom motifHints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, id, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(motif), 5);

    const Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&dialog), 1);
    XFlush(display);
  }

 private:
  int scale_;
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectX11(std::string_view caption) {
  // Without this SDL puts an OpenGL renderer behind the window's pixels.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  lostDisplayLine = std::string(caption) + ": lost the connection to the display\n";
  XSetIOErrorHandler(OnLostDisplay);

  int scale = 1;
  if (Display* display = XOpenDisplay(nullptr)) {
    scale = raster::WholeScale(ScaleOf(display));
    ChooseVisual(display);
    XCloseDisplay(display);
  }
  return std::make_unique<X11WindowSystem>(scale);
}

}  // namespace runtime
