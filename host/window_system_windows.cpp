#include "host/window_system_windows.h"

#include <shellscalingapi.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "host/sdl_check.h"
#include "host/window_handles.h"
#include "runtime/error.h"
#include "runtime/scale.h"

namespace host {
namespace {

// The resolution of an unscaled display, in dots per inch.
constexpr double kUnscaledDpi = 96;
// How often a preview looks at the window it draws into, in milliseconds.
constexpr int kPreviewLook = 100;

HWND HandleOf(SDL_Window* window) {
  const std::optional<SDL_SysWMinfo> handles = HandlesOf(window, SDL_SYSWM_WINDOWS);
  return handles ? handles->info.win.window : nullptr;
}

class WindowsWindowSystem final : public WindowSystem {
 public:
  // Each message of a window comes to Notice, for the changes of DPI.
  WindowsWindowSystem() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

  // The program is aware of each monitor's DPI (its manifest says so), so
  // Windows does not stretch its window: it opens on the primary monitor at
  // that monitor's scale, rounded to a whole one.
  int DesktopScale() override {
    UINT dpi = 0, unused = 0;
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (FAILED(GetDpiForMonitor(primary, MDT_EFFECTIVE_DPI, &dpi, &unused))) return 1;
    return runtime::WholeScale(dpi / kUnscaledDpi);
  }

  void HoldWholeScale(SDL_Window* window, int pictureWidth, int pictureHeight, int asked) override {
    window_ = window;
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    asked_ = asked;
  }

  // Moved to a monitor of another DPI, the window has taken the place and
  // size Windows suggests; its client area then takes the new whole scale,
  // unless the user asked for one.
  void Notice(const SDL_SysWMmsg& message) override {
    if (message.subsystem != SDL_SYSWM_WINDOWS || message.msg.win.msg != WM_DPICHANGED) return;
    if (!window_ || asked_ > 0) return;
    const int scale = runtime::WholeScale(HIWORD(message.msg.win.wParam) / kUnscaledDpi);
    SDL_SetWindowSize(window_, pictureWidth_ * scale, pictureHeight_ * scale);
  }

  // A screensaver's preview: the picture is drawn straight into the window
  // given, which belongs to another program. (A window of the program's own
  // inside it, which Windows allows across programs, showed nothing under
  // Wine.) SDL cannot watch another program's window: WaitForEvents does.
  SDL_Window* AdoptWindow(std::optional<uint64_t> id) override {
    if (!id) return WindowSystem::AdoptWindow(id);
    parent_ = reinterpret_cast<HWND>(static_cast<uintptr_t>(*id));  // NOLINT(performance-no-int-to-ptr)
    RECT area{};
    if (!IsWindow(parent_) || !GetClientRect(parent_, &area)) {
      throw runtime::Error(runtime::ErrorKind::Host, "there is no window " + std::to_string(*id) + " to draw into");
    }
    preview_ = CheckSdl("cannot draw into the preview", [&] { return SDL_CreateWindowFrom(parent_); });
    return preview_;
  }

  // A preview follows the size of the window it draws into, and ends when
  // that window goes, as the normal end of its run.
  void WaitForEvents(int milliseconds) override {
    if (!parent_) return WindowSystem::WaitForEvents(milliseconds);
    WindowSystem::WaitForEvents(milliseconds < 0 ? kPreviewLook : std::min(milliseconds, kPreviewLook));
    RECT area{};
    if (!IsWindow(parent_) || !GetClientRect(parent_, &area)) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
      return;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(preview_, &width, &height);
    if (area.right > 0 && area.bottom > 0 && (area.right != width || area.bottom != height)) {
      SDL_SetWindowSize(preview_, area.right, area.bottom);
    }
  }

  bool AdoptedWindowGone() override { return parent_ && !IsWindow(parent_); }

  // A dialog frame without minimize and maximize boxes. The frame's edges
  // change, so the window is sized again around the same client area, and
  // kept centred.
  void RequestDialogFrame(SDL_Window* window) override {
    HWND handle = HandleOf(window);
    if (!handle) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE) & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    const auto extended = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_EXSTYLE) | WS_EX_DLGMODALFRAME);
    SetWindowLongPtrW(handle, GWL_STYLE, style);
    SetWindowLongPtrW(handle, GWL_EXSTYLE, extended);

    RECT client, before;
    GetClientRect(handle, &client);
    GetWindowRect(handle, &before);
    RECT after = client;
    AdjustWindowRectEx(&after, style, FALSE, extended);
    const int width = after.right - after.left;
    const int height = after.bottom - after.top;
    SetWindowPos(handle, nullptr, before.left + (before.right - before.left - width) / 2,
                 before.top + (before.bottom - before.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

 private:
  SDL_Window* window_ = nullptr;  // the program's own
  int pictureWidth_ = 0;
  int pictureHeight_ = 0;
  int asked_ = 0;
  HWND parent_ = nullptr;  // the window a preview draws into
  SDL_Window* preview_ = nullptr;
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWindows() { return std::make_unique<WindowsWindowSystem>(); }

}  // namespace host
