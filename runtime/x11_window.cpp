#include "runtime/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

std::string lostDisplayLine;

#if defined(SDL_VIDEO_DRIVER_X11)
// Called by Xlib, which must not be returned to: the connection is gone.
int OnLostDisplay(Display*) {
  std::fputs(lostDisplayLine.c_str(), stderr);
  std::fflush(stderr);
  std::_Exit(1);
}
#endif

}  // namespace

void RequestDialogFrame(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
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
#else
  (void)window;
#endif
}

void EndOnLostDisplay(std::string_view caption) {
#if defined(SDL_VIDEO_DRIVER_X11)
  lostDisplayLine = std::string(caption) + ": lost the connection to the display\n";
  XSetIOErrorHandler(OnLostDisplay);
#else
  (void)caption;
#endif
}

}  // namespace runtime
