#include "host/host.h"

#include <SDL.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "host/canvas.h"
#include "host/fatal.h"
#include "host/loop.h"
#include "host/platform.h"
#include "host/sdl_check.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"
#include "host/video.h"
#include "host/window_system.h"
#include "runtime/error.h"
#include "runtime/handler.h"
#include "runtime/ticker.h"

namespace host {
namespace {

using Steady = std::chrono::steady_clock;

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
std::unique_ptr<NativeWindow> OpenWindow(const WindowSettings& settings, const ShowOptions& options,
                                         WindowSystem& system) {
  if (options.root || options.windowId) return system.Adopt(options.windowId);
  if (options.fullScreen) return system.Attach(CreateFullScreenWindow(settings), std::nullopt);
  return system.Attach(CreateHiddenWindow(settings, options.scale, system),
                       DialogSize{settings.width, settings.height, options.scale});
}

// How far the mouse may move before a screensaver takes it for the user's
// hand, in pixels: a table's knock should not end it.
constexpr int kStillMouse = 4;

// The running program: its window, loaded and shown, and what its event
// loop needs from one step to the next. The members are made in the order
// they are declared and go in the reverse: SDL before the window, the
// window before the canvas that draws into its pixels, the canvas, clock and
// generator before the form that holds them.
class Session {
 public:
  Session(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm)
      : system_(ConnectWindowSystem(SDL_GetCurrentVideoDriver(), settings.caption)),
        window_(OpenWindow(settings, options, *system_)),
        endsOnInput_(options.fullScreen),
        canvas_(window_->screen(), settings),
        form_(makeForm({canvas_, clock_, random_})),
        timer_(settings.timerInterval, Steady::now()) {
    form_->Form_Load();
    if ((SDL_GetWindowFlags(window_->sdl()) & SDL_WINDOW_FOREIGN) == 0) window_->Show();
    if (window_->StartsStill()) canvas_.Still(*form_);
  }

  // One step of the event loop: handles the events that came, runs the tick
  // if it is due, then waits until an event comes or the next tick is due
  // (while the window cannot be seen, for an event alone). Returns the exit
  // status once the run is over, nothing while it goes on. A failure because
  // the window drawn into, another program's, went is the end of a normal
  // run.
  std::optional<int> Step() {
    try {
      if (const std::optional<int> ended = HandleEvents()) return ended;
      if (timer_.Due(Steady::now())) canvas_.Tick(*form_);
      window_->WaitForEvents(canvas_.Visible() ? timer_.MillisecondsLeft(Steady::now()) : -1);
      return std::nullopt;
    } catch (const runtime::Error&) {
      if (!window_->AdoptedWindowGone()) throw;
      return 0;
    }
  }

 private:
  // Handles the events that came, taken without asking the window system
  // again; the exit status where one ends the run. An exposed window shows
  // the last frame again at once, once the events have said whether its
  // pixels are new.
  std::optional<int> HandleEvents() {
    bool exposed = false;
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
      if (event.type == SDL_QUIT) {
        window_->EndIfDisplayLost();
        return 0;
      }
      if (event.type == SDL_WINDOWEVENT) {
        switch (event.window.event) {
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            canvas_.NewPixels();
            break;
          case SDL_WINDOWEVENT_EXPOSED:
            exposed = true;
            break;
          case SDL_WINDOWEVENT_HIDDEN:
          case SDL_WINDOWEVENT_MINIMIZED:
            canvas_.Hidden();
            break;
          default:
            break;
        }
      }
      if (event.type == SDL_SYSWMEVENT) window_->Notice(*event.syswm.msg);
      if (endsOnInput_ && TouchedByTheUser(event)) return 0;
    }
    if (exposed) canvas_.Present();
    return std::nullopt;
  }

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
  std::unique_ptr<NativeWindow> window_;
  bool endsOnInput_;
  std::optional<SDL_Point> firstMouse_;
  Canvas canvas_;
  runtime::SystemClock clock_;
  runtime::Generator random_;
  std::unique_ptr<Form> form_;
  runtime::Ticker timer_;
};

}  // namespace

int Run(const WindowSettings& settings, const ShowOptions& options, const FormFactory& makeForm) {
  const auto report = [caption = settings.caption](std::string_view line) { ReportFatalError(caption, line); };
  // Shared with the loop's step: a browser goes on calling it after Run has
  // returned.
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
  return DriveLoop([session, report, caption = settings.caption] {
    std::optional<int> ended;
    const int failed = runtime::RunHandler(
        caption,
        [&] {
          ended = session->Step();
          return 0;
        },
        report);
    return failed != 0 ? std::optional<int>(failed) : ended;
  });
}

}  // namespace host
