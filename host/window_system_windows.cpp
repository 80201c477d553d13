#include "host/window_system_windows.h"

#include <shellscalingapi.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "host/sdl_check.h"
#include "host/window_handles.h"
#include "runtime/error.h"
#include "runtime/scale.h"

namespace host {
namespace {

// How often a preview looks at the window it draws into, in milliseconds.
constexpr int kPreviewLook = 100;

// A window of the program's own on Windows.
class WindowsWindow final : public NativeWindow {
 public:
  // Each message of a window comes to Notice, for the changes of DPI.
  WindowsWindow(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog)
      : NativeWindow(std::move(window)), dialog_(dialog) {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    if (dialog_) RequestDialogFrame();
  }

  // Moved to a monitor of another DPI, the window has taken the place and
  // size Windows suggests; its client area then takes the new whole scale,
  // unless the user asked for one.
  void Notice(const SDL_SysWMmsg& message) override {
    if (message.subsystem != SDL_SYSWM_WINDOWS || message.msg.win.msg != WM_DPICHANGED) return;
    if (!dialog_ || dialog_->asked > 0) return;
    const int scale = runtime::WholeScale(HIWORD(message.msg.win.wParam) / runtime::kUnscaledDpi);
    SDL_SetWindowSize(sdl(), dialog_->pictureWidth * scale, dialog_->pictureHeight * scale);
  }

 private:
  // A dialog frame without minimize and maximize boxes. The frame's edges
  // change, so the window is sized again around the same client area, and
  // kept centred.
  void RequestDialogFrame() {
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(sdl(), SDL_SYSWM_WINDOWS);
    if (!handles) return;
    HWND handle = handles->info.win.window;
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

  std::optional<DialogSize> dialog_;
};

// A screensaver's preview: the picture is drawn straight into the window
// given, which belongs to another program. (A window of the program's own
// inside it, which Windows allows across programs, showed nothing under
// Wine.) SDL cannot watch another program's window: the wait does. The
// preview follows the size of the window it draws into, and ends when that
// window goes, as the normal end of its run.
class WindowsPreview final : public NativeWindow {
 public:
  WindowsPreview(SdlPtr<SDL_Window> window, HWND parent) : NativeWindow(std::move(window)), parent_(parent) {}

  void WaitForEvents(int milliseconds) override {
    NativeWindow::WaitForEvents(milliseconds < 0 ? kPreviewLook : std::min(milliseconds, kPreviewLook));
    RECT area{};
    if (!IsWindow(parent_) || !GetClientRect(parent_, &area)) {
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
      return;
    }
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl(), &width, &height);
    if (area.right > 0 && area.bottom > 0 && (area.right != width || area.bottom != height)) {
      SDL_SetWindowSize(sdl(), area.right, area.bottom);
    }
  }

  bool AdoptedWindowGone() override { return !IsWindow(parent_); }

 private:
  HWND parent_;
};

class WindowsWindowSystem final : public WindowSystem {
 public:
  // The program is aware of each monitor's DPI (its manifest says so), so
  // Windows does not stretch its window: it opens on the primary monitor at
  // that monitor's scale, rounded to a whole one.
  int DesktopScale() override {
    UINT dpi = 0, unused = 0;
    const HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (FAILED(GetDpiForMonitor(primary, MDT_EFFECTIVE_DPI, &dpi, &unused))) return 1;
    return runtime::WholeScale(dpi / runtime::kUnscaledDpi);
  }

  std::unique_ptr<NativeWindow> Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> dialog) override {
    return std::make_unique<WindowsWindow>(std::move(window), dialog);
  }

  // Only a preview's window, given by its handle.
  std::unique_ptr<NativeWindow> Adopt(std::optional<uint64_t> id) override {
    if (!id) return WindowSystem::Adopt(id);
    const auto parent = reinterpret_cast<HWND>(static_cast<uintptr_t>(*id));  // NOLINT(performance-no-int-to-ptr)
    RECT area{};
    if (!IsWindow(parent) || !GetClientRect(parent, &area)) {
      throw runtime::Error(runtime::ErrorKind::Host, "there is no window " + std::to_string(*id) + " to draw into");
    }
    SdlPtr<SDL_Window> preview(CheckSdl("cannot draw into the preview", [&] { return SDL_CreateWindowFrom(parent); }));
    return std::make_unique<WindowsPreview>(std::move(preview), parent);
  }
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWindows() { return std::make_unique<WindowsWindowSystem>(); }

}  // namespace host
