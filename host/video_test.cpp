#include "host/video.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>

#include "runtime/error.h"

#ifndef _WIN32
#include "testing/x_session.h"
#endif

namespace {

// However SDL is built and wherever it runs (Windows among them, under
// Wine), the program's video leaves the screen saver on.
TEST(Video, LeavesTheScreenSaverToTheDesktop) {
#ifndef _WIN32
  if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so SDL has no display to start on";
  const xsession::XServer server;
  setenv("DISPLAY", server.name().c_str(), 1);
#endif
  try {
    const host::Video video;
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());
  } catch (const runtime::Error& error) {
#ifdef _WIN32
    // Wine without an X display has no monitor: make windows-test runs this
    // again on an Xvfb of its own.
    GTEST_SKIP() << "no display here: " << error.what();
#else
    throw;
#endif
  }
#ifndef _WIN32
  unsetenv("DISPLAY");
#endif
}

}  // namespace
