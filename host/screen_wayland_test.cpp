// The window's pixels handed to a real compositor: sway, run by the test,
// with a headless output, and grim to take its screenshot.

#include "host/screen_wayland.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "host/png.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"
#include "tree/fractal_tree.h"

// LeakSanitizer's, in a build that has it: SDL's Wayland driver loses a
// little memory as it starts and makes its first window, in a library it
// loads, which is not for these tests to find.
extern "C" void __lsan_disable() __attribute__((weak));  // NOLINT(bugprone-reserved-identifier)
extern "C" void __lsan_enable() __attribute__((weak));   // NOLINT(bugprone-reserved-identifier)

namespace {

using namespace std::chrono_literals;

host::SdlPtr<SDL_Window> OpenWindow() {
  if (__lsan_disable) __lsan_disable();
  host::SdlPtr<SDL_Window> window;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
    window.reset(SDL_CreateWindow("", 0, 0, pixels::kPictureWidth, pixels::kPictureHeight, 0));
  }
  if (__lsan_enable) __lsan_enable();
  return window;
}

// Frames drawn one after another as fast as they can be shown, so that sway
// still holds the buffers of the last when the next comes: each buffer must
// be brought up to date with every part changed since it was last handed
// over, and sway told of every part changed since the last frame it got. The
// screenshot holds the last frame, whole, wherever its tree starts.
TEST(ShmScreen, TheCompositorShowsTheLastOfFramesShownFasterThanItTakesThem) {
  for (const char* tool : {"sway", "grim"}) {
    if (!xsession::OnPath(tool)) GTEST_SKIP() << tool << " is not installed, so sway cannot be run";
  }
  unprivileged::Folder folder;
  std::ofstream(folder.path() / "config") << "output HEADLESS-1 resolution 800x600 scale 1\nxwayland disable\n"
                                          << "default_floating_border none\nfor_window [title=.*] floating enable\n";
  xsession::Process sway(
      folder.Command(unprivileged::kHeadlessCompositor, {"sway", "-c", (folder.path() / "config").string()}),
      std::nullopt);
  ASSERT_TRUE(folder.SocketAppears("wayland-1")) << sway.Errors();

  setenv("WAYLAND_DISPLAY", (folder.path() / "run" / "wayland-1").c_str(), 1);
  setenv("SDL_VIDEODRIVER", "wayland", 1);
  host::SdlPtr<SDL_Window> window = OpenWindow();
  ASSERT_TRUE(window) << SDL_GetError();
  host::ShmScreen screen(window.get());
  host::SoftwareSurface frame(screen.Pixels(), 0);
  for (int i = 0; i <= 30; ++i) {
    SDL_PumpEvents();
    frame.Cls();
    tree::FractalTree(frame, static_cast<float>(i), static_cast<float>(3 * i)).DrawWhole();
    screen.Show(frame.TakeChanges().Runs());
  }
  for (int i = 0; i < 20; ++i) {
    SDL_PumpEvents();
    std::this_thread::sleep_for(10ms);
  }
  xsession::Process grim(folder.Command({"WAYLAND_DISPLAY=wayland-1"}, {"grim", (folder.path() / "shot.png").string()}),
                         std::nullopt);
  ASSERT_EQ(grim.Wait(10s), std::optional<int>(0)) << grim.Errors();

  const auto shot = host::LoadPng((folder.path() / "shot.png").string());
  const auto [shotX, shotY] = pixels::FirstTreePixel(*shot);
  const auto [treeX, treeY] = pixels::FirstTreePixel(frame);
  EXPECT_EQ(pixels::PixelsUnlike(*shot, frame, shotX - treeX, shotY - treeY), 0);
}

}  // namespace
