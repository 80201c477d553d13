#include <windows.h>

#include <cstdio>
#include <string>

#include "host/platform.h"
#include "host/window_system_windows.h"

namespace host {

std::string VideoDrivers(std::string_view asked) { return asked.empty() ? "windows" : std::string(asked); }

std::unique_ptr<WindowSystem> ConnectWindowSystem(std::string_view /*driver*/, std::string_view /*caption*/) {
  return ConnectWindows();
}

namespace {

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                      wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

}  // namespace

void TellThereAreNoSettings(std::string_view caption, std::optional<uint64_t> owner) {
  HWND window =
      owner ? reinterpret_cast<HWND>(static_cast<uintptr_t>(*owner)) : nullptr;  // NOLINT(performance-no-int-to-ptr)
  MessageBoxW(window, Wide(std::string(caption) + " has no settings.").c_str(), Wide(std::string(caption)).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

// A program of the graphical subsystem has no standard output unless it was
// given one, as a pipe; started from a console, it attaches to that.
void ReachConsole() {
  if (GetStdHandle(STD_OUTPUT_HANDLE) != nullptr || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

}  // namespace host
