#include "runtime/host.h"

#include <SDL.h>

#include <exception>
#include <iostream>
#include <string>

#include "runtime/sdl_check.h"
#include "runtime/software_surface.h"
#include "runtime/ticker.h"
#include "runtime/x11_window.h"

namespace runtime {
namespace {

using Steady = std::chrono::steady_clock;

// SDL's video subsystem, for as long as the program runs.
class Video {
 public:
  Video() {
    // Without this SDL puts an OpenGL renderer behind the window surface.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Only drivers that show windows: without a display SDL would otherwise
    // fall back to one that draws nowhere, and the program would run unseen.
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr) {
      SDL_SetHint(SDL_HINT_VIDEODRIVER, SDL_getenv("WAYLAND_DISPLAY") != nullptr ? "x11,wayland" : "x11");
    }
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
      throw Error(ErrorKind::Host, std::string("no display to show the window on: ") + SDL_GetError());
    }
  }
  ~Video() { SDL_Quit(); }
  Video(const Video&) = delete;
  Video& operator=(const Video&) = delete;
};

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;

void SetIcon(SDL_Window* window, const WindowSettings& settings) {
  SoftwareSurface icon(settings.iconSize, settings.iconSize, settings.background);
  icon.Cls();
  settings.paintIcon(icon, settings.iconSize);
  SDL_SetWindowIcon(window, icon.image());
}

WindowPtr CreateHiddenWindow(const WindowSettings& settings) {
  WindowPtr window(
      CheckSdl(SDL_CreateWindow(std::string(settings.caption).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                settings.width, settings.height, SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR)));
  RequestDialogFrame(window.get());
  SetIcon(window.get(), settings);
  return window;
}

// The window's picture. It is drawn straight into the window's pixels where
// they are 32 bits wide, otherwise into an image copied onto them when shown.
class Canvas {
 public:
  Canvas(SDL_Window* window, Colour background)
      : window_(window),
        screen_(CheckSdl(SDL_GetWindowSurface(window))),
        surface_(screen_->format->BytesPerPixel == 4 ? SoftwareSurface(screen_, background)
                                                     : SoftwareSurface(screen_->w, screen_->h, background)) {}

  Surface& surface() { return surface_; }

  void Present() {
    if (surface_.image() != screen_) CheckSdl(SDL_BlitSurface(surface_.image(), nullptr, screen_, nullptr));
    CheckSdl(SDL_UpdateWindowSurface(window_));
  }

 private:
  SDL_Window* window_;
  SDL_Surface* screen_;
  SoftwareSurface surface_;
};

int EventLoop(Canvas& canvas, Form& form, const WindowSettings& settings) {
  Ticker timer(settings.timerInterval, Steady::now());
  SDL_Event event;
  while (true) {
    if (SDL_WaitEventTimeout(&event, timer.MillisecondsLeft(Steady::now()))) {
      do {
        if (event.type == SDL_QUIT) return 0;
        // The surface still holds the last frame: show it again at once.
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
          canvas.Present();
        }
      } while (SDL_PollEvent(&event));
    }
    if (timer.Due(Steady::now())) {
      form.Timer1_Timer();
      canvas.Present();
    }
  }
}

int RunWindow(const WindowSettings& settings, const FormFactory& makeForm) {
  Video video;
  EndOnLostDisplay(settings.caption);
  const WindowPtr window = CreateHiddenWindow(settings);
  Canvas canvas(window.get(), settings.background);
  canvas.surface().Cls();
  SystemClock clock;
  Generator random;
  const std::unique_ptr<Form> form = makeForm({canvas.surface(), clock, random});
  form->Form_Load();
  SDL_ShowWindow(window.get());
  return EventLoop(canvas, *form, settings);
}

}  // namespace

int Run(const WindowSettings& settings, const FormFactory& makeForm) {
  return RunHandler(
      settings.caption, [&] { return RunWindow(settings, makeForm); }, std::cerr);
}

int RunHandler(std::string_view caption, const std::function<int()>& handler, std::ostream& errors) {
  try {
    return handler();
  } catch (const std::exception& error) {
    errors << caption << ": " << error.what() << std::endl;
    return 1;
  }
}

}  // namespace runtime
