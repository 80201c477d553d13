#include "host/host.h"

#include <SDL.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "host/canvas.h"
#include "host/loop.h"
#include "host/platform.h"
#include "host/sdl_check.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"
#include "runtime/error.h"
#include "runtime/handler.h"
#include "runtime/ticker.h"

namespace host {
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

void SetIcon(SDL_Window* window, const WindowSettings& settings) {
  SoftwareSurface icon(settings.iconSize, settings.iconSize, settings.background);
  icon.Cls();
  settings.paintIcon(icon, settings.iconSize);
  SDL_SetWindowIcon(window, icon.image());
}

SdlPtr<SDL_Window> CreateHiddenWindow(const WindowSettings& settings, int asked, WindowSystem& system) {
  const int scale = asked > 0 ? asked : system.DesktopScale();
  SdlPtr<SDL_Window> window(CheckSdl("cannot create the window", [&] {
    return SDL_CreateWindow(std::string(settings.caption).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                            settings.width * scale, settings.height * scale,
                            SDL_WINDOW_HIDDEN | SDL_WINDOW_SKIP_TASKBAR | system.WindowFlags());
  }));
  system.HoldWholeScale(window.get(), settings.width, settings.height, asked);
  system.RequestDialogFrame(window.get());
  SetIcon(window.get(), settings);
  return window;
}

// A screensaver's window: over every display, without a frame, above all
// others, and without the mouse's pointer.
SdlPtr<SDL_Window> CreateFullScreenWindow(const WindowSettings& settings) {
  SDL_Rect screens{};
  for (int display = 0; display < SDL_GetNumVideoDisplays(); ++display) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) continue;
    if (SDL_RectEmpty(&screens)) {
      screens = bounds;
    } else {
      SDL_UnionRect(&screens, &bounds, &screens);
    }
  }
  SdlPtr<SDL_Window> window(CheckSdl("cannot create the window", [&] {
    return SDL_CreateWindow(
        std::string(settings.caption).c_str(), screens.x, screens.y, screens.w, screens.h,
        SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
  }));
  SDL_ShowCursor(SDL_DISABLE);
  return window;
}

// The program's own window, hidden until loaded, or another program's.
SdlPtr<SDL_Window> OpenWindow(const WindowSettings& settings, const ShowOptions& options, WindowSystem& system) {
  if (options.root || options.windowId) return SdlPtr<SDL_Window>(system.AdoptWindow(options.windowId));
  if (options.fullScreen) return CreateFullScreenWindow(settings);
  return CreateHiddenWindow(settings, options.scale, system);
}

// How far the mouse may move before a screensaver takes it for the user's
// hand, in pixels: a table's knock should not end it.
constexpr int kStillMouse = 4;

// The running program: its window, loaded and shown, and what its event
// loop needs from one step to the next.
class Session {
 public:
  Session(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm)
      : system_(ConnectWindowSystem(SDL_GetCurrentVideoDriver(), settings.caption)),
        window_(OpenWindow(settings, options, *system_)),
        endsOnInput_(options.fullScreen),
        screen_(system_->ScreenOf(window_.get())),
        canvas_(*screen_, settings),
        form_(makeForm({canvas_, clock_, random_})),
        timer_(settings.timerInterval, Steady::now()) {
    form_->Form_Load();
    if ((SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FOREIGN) == 0) {
      SDL_ShowWindow(window_.get());
      system_->KeepSizeFixed(window_.get());
    }
  }

  // One step of the event loop: waits until an event comes or the next tick
  // is due (while the window cannot be seen, for an event alone), handles
  // the events, then runs the tick if it is due. False once the window is
  // closed.
  bool Step() {
    system_->WaitForEvents(canvas_.Visible() ? timer_.MillisecondsLeft(Steady::now()) : -1);
    // The queue is taken without asking the window system again.
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
      if (event.type == SDL_QUIT) {
        system_->EndIfDisplayLost();
        return false;
      }
      // The picture still holds the last frame: show it again at once.
      if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) canvas_.Present();
      if (event.type == SDL_SYSWMEVENT) system_->Notice(*event.syswm.msg);
      if (endsOnInput_ && TouchedByTheUser(event)) return false;
    }
    if (timer_.Due(Steady::now())) canvas_.Tick(*form_);
    return true;
  }

  // Whether the window drawn into, another program's, has gone.
  bool AdoptedWindowGone() { return system_->AdoptedWindowGone(); }

 private:
  // A key, a mouse button, or the mouse moved from where it was first seen:
  // windows report a motion of nothing as they appear.
  bool TouchedByTheUser(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN) return true;
    if (event.type != SDL_MOUSEMOTION) return false;
    if (!firstMouse_) firstMouse_ = SDL_Point{event.motion.x, event.motion.y};
    return std::abs(event.motion.x - firstMouse_->x) + std::abs(event.motion.y - firstMouse_->y) > kStillMouse;
  }

  Video video_;
  std::unique_ptr<WindowSystem> system_;
  SdlPtr<SDL_Window> window_;
  bool endsOnInput_;
  std::optional<SDL_Point> firstMouse_;
  std::unique_ptr<Screen> screen_;
  Canvas canvas_;
  runtime::SystemClock clock_;
  runtime::Generator random_;
  std::unique_ptr<Form> form_;
  runtime::Ticker timer_;
};

}  // namespace

int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm) {
  const auto report = [caption = settings.caption](std::string_view line) { ReportFatalError(caption, line); };
  std::shared_ptr<Session> session;
  const int status = runtime::RunHandler(
      settings.caption,
      [&] {
        if (options.settings) {
          TellThereAreNoSettings(settings.caption, options.windowId);
        } else {
          session = std::make_shared<Session>(settings, options, makeForm);
        }
        return 0;
      },
      report);
  if (!session) return status;
  // A failure because the window drawn into went is the end of a normal run.
  return DriveLoop([session, report, caption = settings.caption]() -> std::optional<int> {
    bool goOn = true;
    const int ended = runtime::RunHandler(
        caption,
        [&] {
          try {
            goOn = session->Step();
          } catch (const runtime::Error&) {
            if (!session->AdoptedWindowGone()) throw;
            goOn = false;
          }
          return 0;
        },
        report);
    if (ended != 0) return ended;
    return goOn ? std::nullopt : std::optional<int>(0);
  });
}

}  // namespace host
