// GoogleTest comes before Xlib, whose macros clash with its names.
#include <gtest/gtest.h>
// clang-format off
#include "host/shared_pixels_x11.h"
// clang-format on

#include <fstream>
#include <memory>
#include <string>

#include "testing/x_session.h"

namespace {

// The segments of shared memory the test has mapped.
int MappedSegments() {
  std::ifstream maps("/proc/self/maps");
  int segments = 0;
  for (std::string line; std::getline(maps, line);) segments += line.find("/SYSV") != std::string::npos;
  return segments;
}

// A server that cannot reach the program's memory refuses to attach it: the
// program then draws into pixels of its own, and keeps nothing mapped.
TEST(SharedPixels, RefusedByTheServerTheyAreNoneAndNothingStaysMapped) {
  if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no X server can refuse";
  xsession::XServer server("640x480x24", true);
  Display* display = XOpenDisplay(server.tcpName().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb took no connection over TCP";
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 342, 366, 0, 0, 0);
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
  const int before = MappedSegments();

  EXPECT_EQ(host::SharedPixels::Make(display, window, attributes), nullptr);
  EXPECT_EQ(MappedSegments(), before);
  XCloseDisplay(display);
}

}  // namespace
