#include "host/window_system.h"

#include <SDL.h>

#include <utility>

#include "runtime/error.h"

namespace host {

NativeWindow::NativeWindow(SdlPtr<SDL_Window> window) : window_(std::move(window)), screen_(window_.get()) {}

void NativeWindow::Show() { SDL_ShowWindow(sdl()); }

void NativeWindow::WaitForEvents(int milliseconds) { SDL_WaitEventTimeout(nullptr, milliseconds); }

uint32_t WindowSystem::WindowFlags() { return SDL_WINDOW_ALLOW_HIGHDPI; }

std::unique_ptr<NativeWindow> WindowSystem::Attach(SdlPtr<SDL_Window> window, std::optional<DialogSize> /*dialog*/) {
  return std::make_unique<NativeWindow>(std::move(window));
}

std::unique_ptr<NativeWindow> WindowSystem::Adopt(std::optional<uint64_t> /*id*/) {
  throw runtime::Error(runtime::ErrorKind::Host, "this window system cannot draw into another program's window");
}

}  // namespace host
