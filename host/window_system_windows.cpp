#include "host/window_system_windows.h"

#include <windows.h>

#include "host/window_handles.h"

namespace host {
namespace {

class WindowsWindowSystem final : public WindowSystem {
 public:
  // A dialog frame without minimize and maximize boxes. The frame's edges
  // change, so the window is sized again around the same client area, and
  // kept centred.
  void RequestDialogFrame(SDL_Window* window) override {
    const std::optional<SDL_SysWMinfo> handles = HandlesOf(window, SDL_SYSWM_WINDOWS);
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
};

}  // namespace

std::unique_ptr<WindowSystem> ConnectWindows() { return std::make_unique<WindowsWindowSystem>(); }

}  // namespace host
