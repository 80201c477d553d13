// What the program does to the desktop around it: its window under the
// window managers its users have, and the desktop's screen saver, which it
// leaves alone, on X servers and session buses of the test's own.

// GoogleTest comes before Xlib, whose macros clash with its names.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>
// clang-format on
#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;
using xsession::Steady;
namespace fs = std::filesystem;

constexpr const char* kCaption = "Fractal Tree";
constexpr const char* kScreen = "1280x1024x24";

// Why the tools named cannot run here, or empty.
std::string Missing(const std::vector<const char*>& tools) {
  for (const char* tool : tools) {
    if (!xsession::OnPath(tool)) return std::string(tool) + " is not installed";
  }
  return "";
}

bool Has(const std::vector<long>& atoms, Display* display, const char* name) {
  return std::find(atoms.begin(), atoms.end(), static_cast<long>(XInternAtom(display, name, False))) != atoms.end();
}

// A desktop's session bus, a daemon of the test's own, and a record of
// every message sent on it.
class SessionBus {
 public:
  SessionBus() : address_("unix:path=" + (folder_.path() / "bus").string()) {
    daemon_.emplace(std::vector<std::string>{"dbus-daemon", "--session", "--nofork", "--address=" + address_},
                    std::nullopt);
    for (int i = 0; i < 200 && !fs::exists(folder_.path() / "bus"); ++i) std::this_thread::sleep_for(25ms);
    monitor_.emplace(std::vector<std::string>{"sh", "-c", "exec dbus-monitor --address \"$0\" >&2", address_},
                     std::nullopt);
    // The monitor tells of its own name as it starts watching.
    for (int i = 0; i < 200 && Record().find("NameAcquired") == std::string::npos; ++i) {
      std::this_thread::sleep_for(25ms);
    }
  }

  bool Watching() { return Record().find("NameAcquired") != std::string::npos; }
  std::string Environment() const { return "DBUS_SESSION_BUS_ADDRESS=" + address_; }

  // What was sent so far.
  const std::string& Record() {
    record_ += monitor_->Errors();
    return record_;
  }

 private:
  unprivileged::Folder folder_;
  std::string address_;
  std::optional<xsession::Process> daemon_;
  std::optional<xsession::Process> monitor_;
  std::string record_;
};

// How the program shows its picture.
struct Showing {
  const char* name;
  std::vector<std::string> arguments;  // --window-id is followed by a window of the test's own
};

void PrintTo(const Showing& showing, std::ostream* out) { *out << showing.name; }

class ScreenSaver : public ::testing::TestWithParam<Showing> {};

// A picture on the desktop or a screensaver's holds nothing off: the X
// server's saver comes on at its time while the program draws, and the
// program asks no one on the session bus to hold off the screen lock.
TEST_P(ScreenSaver, ComesOnWhileTheProgramShowsAndNothingIsInhibited) {
  if (const std::string missing = Missing({"Xvfb", "dbus-daemon", "dbus-monitor"}); !missing.empty()) {
    GTEST_SKIP() << missing;
  }
  const Showing& showing = GetParam();
  xsession::XServer server;
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  const std::unique_ptr<Display, int (*)(Display*)> connection(display, XCloseDisplay);
  int event = 0, error = 0;
  ASSERT_TRUE(XScreenSaverQueryExtension(display, &event, &error)) << "the X server has no screen saver extension";
  SessionBus bus;
  ASSERT_TRUE(bus.Watching()) << "no monitor on the session bus";

  const Window root = DefaultRootWindow(display);
  std::vector<std::string> arguments = showing.arguments;
  Window shown = root;
  if (!arguments.empty() && arguments.back() == "--window-id") {
    shown = XCreateSimpleWindow(display, root, 0, 0, 800, 600, 0, 0, 0);
    XMapWindow(display, shown);
    XSync(display, False);
    arguments.push_back(std::to_string(shown));
  }
  std::vector<std::string> argv{FRACTAL_TREE_PROGRAM};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  xsession::Process program(argv, server.name(), {bus.Environment()});
  runtime::Placement placement{1, 0, 0};
  if (arguments.empty()) {
    shown = xsession::FindWindow(display, kCaption, 20s);
    ASSERT_NE(shown, 0u) << program.Errors();
  } else {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, shown, &attributes);
    placement = runtime::Fit(pixels::kPictureWidth, pixels::kPictureHeight, attributes.width, attributes.height);
  }
  ASSERT_TRUE(
      xsession::FrameWatcher(display, shown, placement.scale, placement.left, placement.top, placement.reduction)
          .Next(Steady::now() + 5s))
      << "no frame shown; " << program.Errors();

  XScreenSaverSelectInput(display, root, ScreenSaverNotifyMask);
  XSetScreenSaver(display, 1, 0, DefaultBlanking, DefaultExposures);
  XSync(display, False);
  const auto deadline = Steady::now() + 5s;
  bool on = false;
  XEvent told;
  while (!on && xsession::NextEvent(display, deadline, told)) {
    on = told.type == event + ScreenSaverNotify &&
         reinterpret_cast<const XScreenSaverNotifyEvent&>(told).state == ScreenSaverOn;
  }
  EXPECT_TRUE(on) << "the screen saver did not come on within 5 s of its 1 s";
  EXPECT_EQ(program.Wait(0s), std::nullopt) << "the program ended: " << program.Errors();
  EXPECT_EQ(bus.Record().find("member=Inhibit"), std::string::npos) << bus.Record();
}

INSTANTIATE_TEST_SUITE_P(EveryWayOfShowing, ScreenSaver,
                         ::testing::Values(Showing{"ItsOwnWindow", {}}, Showing{"WindowId", {"--window-id"}},
                                           Showing{"Root", {"--root"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// The window managers the program's window is shown under.
enum class Manager { kMutter, kOpenbox, kI3 };

// An X display with a window manager running on it: an Xvfb of the test's
// own, or GNOME's mutter, headless, with the X server it starts for X
// clients beside its Wayland ones.
class ManagedDisplay {
 public:
  explicit ManagedDisplay(Manager manager) {
    if (manager == Manager::kMutter) {
      // mutter refuses to run as root, and needs a session bus.
      manager_.emplace(folder_.Command({}, {"sh", "-c",
                                            "exec dbus-run-session -- mutter --headless --wayland --virtual-monitor "
                                            "1280x1024 >&2"}),
                       std::nullopt);
      const std::regex named("Using public X11 display (:[0-9]+)");
      std::smatch found;
      for (int i = 0; i < 400 && !std::regex_search(log_ += manager_->Errors(), found, named); ++i) {
        std::this_thread::sleep_for(25ms);
      }
      if (found.empty()) return;
      name_ = found[1];
      for (const auto& entry : fs::directory_iterator(folder_.path() / "run")) {
        if (entry.path().filename().string().starts_with(".mutter-Xwaylandauth.")) {
          environment_.push_back("XAUTHORITY=" + entry.path().string());
        }
      }
    } else {
      server_.emplace(kScreen);
      name_ = server_->name();
      if (manager == Manager::kOpenbox) {
        manager_.emplace(std::vector<std::string>{"openbox"}, name_);
      } else {
        std::ofstream(folder_.path() / "i3.config") << "# i3 config file (v4)\nfont pango:monospace 8\n";
        manager_.emplace(std::vector<std::string>{"i3", "-c", (folder_.path() / "i3.config").string()}, name_);
      }
    }
    // The test's connection, with what a client needs beside the display's name.
    for (const std::string& variable : environment_) putenv(const_cast<char*>(variable.c_str()));
    display_ = XOpenDisplay(name_.c_str());
    unsetenv("XAUTHORITY");
    // A window manager redirects what the root's children ask.
    for (int i = 0; display_ && i < 400 && !Managed(); ++i) std::this_thread::sleep_for(25ms);
  }
  ~ManagedDisplay() {
    if (display_) XCloseDisplay(display_);
  }
  ManagedDisplay(const ManagedDisplay&) = delete;
  ManagedDisplay& operator=(const ManagedDisplay&) = delete;

  Display* display() const { return display_; }
  const std::string& name() const { return name_; }
  const std::vector<std::string>& environment() const { return environment_; }
  std::string log() { return log_ += manager_->Errors(); }

  bool Managed() const {
    XWindowAttributes root;
    return XGetWindowAttributes(display_, DefaultRootWindow(display_), &root) &&
           (root.all_event_masks & SubstructureRedirectMask) != 0;
  }

 private:
  unprivileged::Folder folder_;
  std::optional<xsession::XServer> server_;
  std::optional<xsession::Process> manager_;
  std::string name_;
  std::vector<std::string> environment_;
  std::string log_;
  Display* display_ = nullptr;
};

struct WindowManagerRun {
  const char* name;
  Manager manager;
  std::vector<const char*> tools;
};

void PrintTo(const WindowManagerRun& run, std::ostream* out) { *out << run.name; }

class WindowManagers : public ::testing::TestWithParam<WindowManagerRun> {};

// Under every window manager the window stays out of the taskbar, keeps its
// fixed size with neither maximize nor resize, and opens centred with its
// frame.
TEST_P(WindowManagers, WindowIsOutOfTheTaskbarFixedAndCentredWithItsFrame) {
  const WindowManagerRun& run = GetParam();
  if (const std::string missing = Missing(run.tools); !missing.empty()) GTEST_SKIP() << missing;
  ManagedDisplay desktop(run.manager);
  Display* display = desktop.display();
  ASSERT_NE(display, nullptr) << "no X display; " << desktop.log();
  ASSERT_TRUE(desktop.Managed()) << "no window manager runs; " << desktop.log();
  xsession::Process program({FRACTAL_TREE_PROGRAM}, desktop.name(), desktop.environment());
  const Window window = xsession::FindWindow(display, kCaption, 20s);
  ASSERT_NE(window, 0u) << program.Errors();
  // Shown, the window has been managed: its state and frame are the window
  // manager's.
  ASSERT_TRUE(xsession::FrameWatcher(display, window).Next(Steady::now() + 5s)) << program.Errors();

  EXPECT_TRUE(Has(xsession::Property(display, window, "_NET_WM_STATE"), display, "_NET_WM_STATE_SKIP_TASKBAR"));
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
  EXPECT_EQ(attributes.width, pixels::kPictureWidth);
  EXPECT_EQ(attributes.height, pixels::kPictureHeight);
  if (const std::vector<long> allowed = xsession::Property(display, window, "_NET_WM_ALLOWED_ACTIONS");
      !allowed.empty()) {
    EXPECT_TRUE(Has(allowed, display, "_NET_WM_ACTION_CLOSE"));
    EXPECT_TRUE(Has(allowed, display, "_NET_WM_ACTION_MOVE"));
    for (const char* action :
         {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}) {
      EXPECT_FALSE(Has(allowed, display, action)) << action;
    }
  }

  const std::vector<long> frame = xsession::Property(display, window, "_NET_FRAME_EXTENTS");
  ASSERT_EQ(frame.size(), 4u) << "the window manager tells no frame";
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  const long width = attributes.width + frame[0] + frame[1], height = attributes.height + frame[2] + frame[3];
  // Centred to the pixel, either way of an odd one.
  EXPECT_LE(std::abs(2 * (x - frame[0]) - (DisplayWidth(display, 0) - width)), 1) << "at x " << x - frame[0];
  EXPECT_LE(std::abs(2 * (y - frame[2]) - (DisplayHeight(display, 0) - height)), 1) << "at y " << y - frame[2];
}

INSTANTIATE_TEST_SUITE_P(Desktops, WindowManagers,
                         ::testing::Values(WindowManagerRun{"MutterThroughXWayland",
                                                            Manager::kMutter,
                                                            {"mutter", "dbus-run-session", "Xwayland"}},
                                           WindowManagerRun{"Openbox", Manager::kOpenbox, {"openbox", "Xvfb"}},
                                           WindowManagerRun{"I3", Manager::kI3, {"i3", "Xvfb"}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
