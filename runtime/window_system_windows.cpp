#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/window_system.h"

namespace runtime {
namespace {

class Win32WindowSystem final : public WindowSystem {
 public:
  // A dialog frame without minimize and maximize boxes. The frame's edges
  // change, so the window is sized again around the same client area, and
  // kept centred.
  void RequestDialogFrame(SDL_Window* window) override {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WINDOWS) return;
    HWND handle = info.info.win.window;
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

std::string VideoDrivers() { return "windows"; }

std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view /*driver*/, std::string_view /*caption*/) {
  return std::make_unique<Win32WindowSystem>();
}

// A program without a console tells of a fatal error in a message box, as
// Windows programs do; the line goes to standard error too, for a console
// or a log that may be listening there.
void ReportFatalError(std::string_view caption, std::string_view line) {
  std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, std::string(caption).c_str(), std::string(line).c_str(), nullptr);
}

}  // namespace runtime
