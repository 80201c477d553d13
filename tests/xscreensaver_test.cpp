// The program as xscreensaver's display program: xscreensaver's own daemon
// on an X server of the test's own, run by an unprivileged user, as
// xscreensaver will not run display programs as root.

#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "host/software_surface.h"
#include "runtime/enlarge.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_capture.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;

constexpr int kScreenWidth = 1280, kScreenHeight = 1024;
constexpr int kPictureWidth = 342, kPictureHeight = 366;

// Runs the program as the README's line does, with xscreensaver's own
// spelling of its option, and keeps what it says and how it ends;
// xscreensaver's SIGTERM is passed on.
constexpr const char* kDisplayProgram = R"sh(#!/bin/sh
cd "$(dirname "$0")"
./fractal-tree -root 2>>errors &
program=$!
trap 'kill -TERM $program' TERM
status=
while [ -z "$status" ]; do
  wait $program
  ended=$?
  kill -0 $program 2>/dev/null || status=$ended
done
echo $status >>status
)sh";

TEST(Xscreensaver, ShowsTheTreeCentredInWholeBlocksAndEndsQuietlyWhenDeactivated) {
  for (const char* tool : {"Xvfb", "xscreensaver", "xscreensaver-command"}) {
    if (!xsession::OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
  }
  xsession::XServer server(std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24");
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  unprivileged::Folder folder(FRACTAL_TREE_PROGRAM);
  folder.Script("display-program.sh", kDisplayProgram);
  std::ofstream(folder.path() / ".xscreensaver")
      << "mode: one\nselected: 0\nlock: False\nsplash: False\nfade: False\nunfade: False\n"
      << "timeout: 1:00:00\nprograms: \"Fractal Tree\" " << (folder.path() / "display-program.sh").string() << " \\n\n";
  const std::vector<std::string> environment = {"DISPLAY=" + server.name()};
  xsession::Process daemon(folder.Command(environment, {"xscreensaver", "-no-splash"}), server.name());
  const auto command = [&](const char* what) {
    xsession::Process run(folder.Command(environment, {"xscreensaver-command", what}), server.name());
    return run.Wait(10s);
  };
  std::this_thread::sleep_for(1s);

  const runtime::Placement centred = runtime::Fit(kPictureWidth, kPictureHeight, kScreenWidth, kScreenHeight);
  std::string ended;  // the statuses the runs should end with
  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE(run);
    // The screen still shows the last run's tree: black, so that only this run's counts.
    XSetWindowBackground(display, DefaultRootWindow(display), BlackPixel(display, DefaultScreen(display)));
    XClearWindow(display, DefaultRootWindow(display));
    XSync(display, False);
    ASSERT_EQ(command("-activate"), std::optional<int>(0)) << daemon.Errors();
    std::unique_ptr<host::SoftwareSurface> screen;
    for (int i = 0; i < 50 && (!screen || pixels::CountTreePixels(*screen) < 1000); ++i) {
      std::this_thread::sleep_for(100ms);
      screen = xsession::Capture(display, DefaultRootWindow(display), kScreenWidth, kScreenHeight);
    }
    EXPECT_GT(pixels::CountTreePixels(*screen), 1000) << "no tree on the screen; " << daemon.Errors();
    EXPECT_EQ(pixels::PixelsUnlike(*screen, *pixels::AsWholeBlocks(*screen, centred)), 0);

    ASSERT_EQ(command("-deactivate"), std::optional<int>(0));
    ended += "0\n";
    for (int i = 0; i < 50 && folder.Read("status").size() < ended.size(); ++i) std::this_thread::sleep_for(100ms);
    EXPECT_EQ(folder.Read("status"), ended) << "every run ends with status 0";
    EXPECT_EQ(folder.Read("errors"), "");
  }
  command("-exit");
  XCloseDisplay(display);
}

}  // namespace
