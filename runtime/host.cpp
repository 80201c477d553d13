#include "runtime/host.h"

#include <SDL.h>

#include <exception>
#include <optional>
#include <string>

#include "runtime/enlarge.h"
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

struct ImageDeleter {
  void operator()(SDL_Surface* image) const { SDL_FreeSurface(image); }
};
using ImagePtr = std::unique_ptr<SDL_Surface, ImageDeleter>;

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

// The window's drawing surface. The form draws the picture at its own size:
// straight into the window's pixels where they have the picture's size and
// format, otherwise into an image of its own, shown enlarged to fit the
// window. While the window cannot be seen, ticks go on but nothing is drawn.
class Canvas final : public Surface {
 public:
  Canvas(SDL_Window* window, const WindowSettings& settings)
      : window_(window), background_(settings.background), picture_(settings.width, settings.height, background_) {
    picture_.Cls();
  }

  void Cls() override {
    if (target_) target_->Cls();
  }
  void Line(float x1, float y1, float x2, float y2, Colour colour) override {
    if (target_) target_->Line(x1, y1, x2, y2, colour);
  }

  // Whether the window can be seen. While it cannot, the host waits for
  // events alone, and no tick runs.
  bool Visible() {
    const bool visible = (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
    if (!visible) stale_ = true;
    return visible;
  }

  // Runs the form's tick and shows its frame. A frame is drawn with the
  // angles of the tick before it: after a time unseen, a first tick that
  // draws nothing brings them up to the present.
  void Tick(Form& form) {
    if (!Visible()) return;
    if (stale_) {
      target_ = nullptr;
      form.Timer1_Timer();
      stale_ = false;
    }
    SDL_Surface* screen = WindowPixels();
    if (HasThePicturesShape(screen)) {
      direct_.emplace(screen, background_);
      target_ = &*direct_;
    } else {
      direct_.reset();
      target_ = &picture_;
    }
    form.Timer1_Timer();
    Present();
  }

  // Shows the last frame drawn.
  void Present() {
    SDL_Surface* screen = WindowPixels();
    if (!direct_ || direct_->image() != screen) Enlarge(screen);
    CheckSdl("cannot show the picture", [&] { return SDL_UpdateWindowSurface(window_); });
  }

 private:
  SDL_Surface* WindowPixels() {
    return CheckSdl("cannot get the window's pixels", [&] { return SDL_GetWindowSurface(window_); });
  }

  bool HasThePicturesShape(const SDL_Surface* screen) const {
    return screen->format->format == picture_.image()->format->format && screen->w == picture_.width() &&
           screen->h == picture_.height();
  }

  // Copies the picture into the window's pixels, enlarged to fit, through an
  // image of the window's size where the window's pixels have another format.
  void Enlarge(SDL_Surface* screen) {
    SDL_Surface* frame = screen;
    if (screen->format->format != picture_.image()->format->format) {
      if (!converted_ || converted_->w != screen->w || converted_->h != screen->h) {
        converted_.reset(CheckSdl("cannot create an image of the window's size", [&] {
          return SDL_CreateRGBSurfaceWithFormat(0, screen->w, screen->h, 32, picture_.image()->format->format);
        }));
      }
      frame = converted_.get();
    }
    raster::Enlarge(picture_.pixels(), PixelsOf(frame),
                    raster::Fit(picture_.width(), picture_.height(), screen->w, screen->h), picture_.backgroundPixel());
    if (frame != screen) {
      CheckSdl("cannot copy the picture to the window",
               [&] { return SDL_BlitSurface(frame, nullptr, screen, nullptr); });
    }
  }

  SDL_Window* window_;
  Colour background_;
  SoftwareSurface picture_;
  std::optional<SoftwareSurface> direct_;  // over the window's pixels
  ImagePtr converted_;
  Surface* target_ = nullptr;  // where the tick draws; none for a tick that draws nothing
  bool stale_ = false;         // whether ticks were missed while the window could not be seen
};

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
