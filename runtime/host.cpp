#include "runtime/host.h"

#include <SDL.h>

#include <exception>
#include <string>

#include "runtime/canvas.h"
#include "runtime/sdl_check.h"
#include "runtime/software_surface.h"
#include "runtime/ticker.h"
#include "runtime/window_system.h"

namespace runtime {
namespace {

using Steady = std::chrono::steady_clock;

// SDL's video subsystem, for as long as the program runs.
class Video {
 public:
  Video() {
    if (SDL_getenv("SDL_VIDEODRIVER") == nullptr) SDL_SetHint(SDL_HINT_VIDEODRIVER, VideoDrivers().c_str());
    CheckSdl("no display to show the window on", [] { return SDL_Init(SDL_INIT_VIDEO); });
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

WindowPtr CreateHiddenWindow(const WindowSettings& settings, int scale, WindowSystem& system) {
  WindowPtr window(CheckSdl("cannot create the window", [&] {
    return SDL_CreateWindow(std::string(settings.caption).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            settings.width * scale, settings.height * scale,
                            SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALLOW_HIGHDPI);
  }));
  system.RequestDialogFrame(window.get());
  SetIcon(window.get(), settings);
  return window;
}

int EventLoop(Canvas& canvas, Form& form, std::chrono::milliseconds interval, WindowSystem& system) {
  Ticker timer(interval, Steady::now());
  SDL_Event event;
  while (true) {
    const int wait = canvas.Visible() ? timer.MillisecondsLeft(Steady::now()) : -1;
    if (SDL_WaitEventTimeout(&event, wait)) {
      do {
        if (event.type == SDL_QUIT) return 0;
        // The picture still holds the last frame: show it again at once.
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) canvas.Present();
        if (event.type == SDL_SYSWMEVENT) system.Notice(*event.syswm.msg);
      } while (SDL_PollEvent(&event));
    }
    if (timer.Due(Steady::now())) canvas.Tick(form);
  }
}

// The program's own window, hidden until loaded, or another program's.
WindowPtr OpenWindow(const WindowSettings& settings, const ShowOptions& options, WindowSystem& system) {
  if (options.root || options.windowId) return WindowPtr(system.AdoptWindow(options.windowId));
  return CreateHiddenWindow(settings, options.scale > 0 ? options.scale : system.DesktopScale(), system);
}

int RunWindow(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm) {
  Video video;
  const std::unique_ptr<WindowSystem> system = ConnectWindowSystem(SDL_GetCurrentVideoDriver(), settings.caption);
  const WindowPtr window = OpenWindow(settings, options, *system);
  Canvas canvas(window.get(), settings);
  SystemClock clock;
  Generator random;
  const std::unique_ptr<Form> form = makeForm({canvas, clock, random});
  form->Form_Load();
  if ((SDL_GetWindowFlags(window.get()) & SDL_WINDOW_FOREIGN) == 0) SDL_ShowWindow(window.get());
  return EventLoop(canvas, *form, settings.timerInterval, *system);
}

}  // namespace

int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm) {
  return RunHandler(
      settings.caption, [&] { return RunWindow(settings, options, makeForm); },
      [&](std::string_view line) { ReportFatalError(settings.caption, line); });
}

int RunHandler(std::string_view caption, const std::function<int()>& handler,
               const std::function<void(std::string_view line)>& report) {
  try {
    return handler();
  } catch (const std::exception& error) {
    report(std::string(caption) + ": " + error.what());
    return 1;
  }
}

}  // namespace runtime
