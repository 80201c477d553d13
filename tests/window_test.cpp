// The real program in a real window, under an X server of the test's own.

// GoogleTest comes before Xlib, whose macros clash with its names.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/png.h"
#include "host/software_surface.h"
#include "runtime/scale.h"
#include "testing/pixels.h"
#include "testing/x_capture.h"
#include "testing/x_session.h"
#include "testing/xvfb_test.h"
#include "tree/fractal_tree.h"

namespace {

using namespace std::chrono_literals;
using Steady = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int kScreenWidth = xsession::kScreenWidth;
constexpr int kScreenHeight = xsession::kScreenHeight;
constexpr int kWidth = 342;
constexpr int kHeight = 366;
constexpr const char* kCaption = "Fractal Tree";

// The program under test: this build's, or the one FRACTAL_TREE_UNDER_TEST
// names, where a Windows build (.exe) runs under Wine, and another
// architecture's under the emulator FRACTAL_TREE_EMULATOR names.
std::vector<std::string> Program(const std::vector<std::string>& arguments = {}) {
  const char* chosen = std::getenv("FRACTAL_TREE_UNDER_TEST");
  const char* emulator = std::getenv("FRACTAL_TREE_EMULATOR");
  const std::string path = chosen ? chosen : FRACTAL_TREE_PROGRAM;
  std::vector<std::string> argv;
  if (path.ends_with(".exe")) argv.emplace_back("wine");
  if (emulator) argv.emplace_back(emulator);
  argv.push_back(path);
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return argv;
}

bool UnderWine() { return Program().front() == "wine"; }

// How long the program may take to end when asked: Wine adds its own
// shutdown to the program's.
const auto kEndsWithin = UnderWine() ? 2s : 1s;

// Wine waits for a window manager to acknowledge each window's state, for
// two seconds when there is none, as under a bare Xvfb; the test stands in
// for a window manager and sets the state itself.
void AcknowledgeForWine(Display* display, Window window) {
  if (!UnderWine()) return;
  const long normal[2] = {NormalState, None};
  const Atom state = XInternAtom(display, "WM_STATE", False);
  XChangeProperty(display, window, state, state, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(normal),
                  2);
  XSync(display, False);
}

// Asks the window to close, as a window manager's close box does.
void AskToClose(Display* display, Window window) {
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &close);
  XFlush(display);
}

class RealWindow : public XvfbTest {
 protected:
  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    program_.emplace(Program(), server_->name());
    window_ = xsession::FindWindow(display_, kCaption, 20s);
    ASSERT_NE(window_, 0u) << "no window titled " << kCaption << "; " << program_->Errors();
    AcknowledgeForWine(display_, window_);
  }

  void TearDown() override {
    program_.reset();
    XvfbTest::TearDown();
  }

  std::vector<long> Property(const char* name) { return xsession::Property(display_, window_, name); }

  long AtomOf(const char* name) { return static_cast<long>(XInternAtom(display_, name, False)); }

  std::unique_ptr<host::SoftwareSurface> Capture() { return xsession::Capture(display_, window_, kWidth, kHeight); }

  std::optional<xsession::Process> program_;
  Window window_ = 0;
};

TEST_F(RealWindow, HasItsFixedDialogSettingsAndIsCentred) {
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, window_, &attributes);
  EXPECT_EQ(attributes.width, kWidth);
  EXPECT_EQ(attributes.height, kHeight);

  int x, y;
  Window child;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  EXPECT_EQ(x, (kScreenWidth - kWidth) / 2);
  EXPECT_EQ(y, (kScreenHeight - kHeight) / 2);

  XSizeHints hints;
  long supplied;
  ASSERT_TRUE(XGetWMNormalHints(display_, window_, &hints, &supplied));
  EXPECT_TRUE((hints.flags & PMinSize) && (hints.flags & PMaxSize));
  EXPECT_EQ(hints.min_width, kWidth);
  EXPECT_EQ(hints.max_width, kWidth);
  EXPECT_EQ(hints.min_height, kHeight);
  EXPECT_EQ(hints.max_height, kHeight);

  constexpr long kFunctionsGiven = 1, kMove = 4, kClose = 32;
  const std::vector<long> motif = Property("_MOTIF_WM_HINTS");
  ASSERT_GE(motif.size(), 2u);
  EXPECT_TRUE(motif[0] & kFunctionsGiven);
  EXPECT_EQ(motif[1], kMove | kClose) << "move and close only";

  const std::vector<long> state = Property("_NET_WM_STATE");
  EXPECT_NE(std::find(state.begin(), state.end(), AtomOf("_NET_WM_STATE_SKIP_TASKBAR")), state.end());
  // A normal window: a window manager may put a dialog without an owner in
  // the taskbar. Wine types a window with a dialog's frame itself.
  EXPECT_EQ(Property("_NET_WM_WINDOW_TYPE"),
            std::vector<long>{AtomOf(UnderWine() ? "_NET_WM_WINDOW_TYPE_DIALOG" : "_NET_WM_WINDOW_TYPE_NORMAL")});
  EXPECT_FALSE(Property("_NET_WM_ICON").empty());
}

TEST_F(RealWindow, ShowsTheSwayingTreeInItsPalette) {
  std::this_thread::sleep_for(1s);
  const auto first = Capture();
  EXPECT_GT(pixels::CountTreePixels(*first), 1000);
  host::SavePng(*first, "window.png");

  std::this_thread::sleep_for(500ms);
  EXPECT_NE(pixels::All(*Capture()), pixels::All(*first)) << "the tree does not move";
}

TEST_F(RealWindow, ClosingTheWindowEndsTheProgramWithStatusZero) {
  AskToClose(display_, window_);
  EXPECT_EQ(program_->Wait(kEndsWithin), std::optional<int>(0));
  EXPECT_EQ(program_->Errors(), "");
}

TEST_F(RealWindow, SignalsToStopEndTheProgramWithinASecond) {
  for (int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(signal);
    xsession::Process program(Program(), server_->name());
    std::this_thread::sleep_for(300ms);
    program.Signal(signal);
    EXPECT_EQ(program.Wait(1s), std::optional<int>(0));
  }
}

TEST_F(RealWindow, LosingTheDisplayEndsTheProgramWithOneLine) {
  XCloseDisplay(display_);
  display_ = nullptr;
  server_->Stop();
  const std::optional<int> status = program_->Wait(2s);
  ASSERT_TRUE(status.has_value()) << "the program did not end";
  EXPECT_EQ(*status, 1);
  EXPECT_EQ(program_->Errors(), "Fractal Tree: lost the connection to the display\n");
}

TEST_F(RealWindow, UncoveredWindowShowsItsPictureAgainAtOnce) {
  xsession::FrameWatcher watcher(display_, window_);
  int x, y;
  Window child;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
  XSetWindowAttributes white{};
  white.background_pixel = WhitePixel(display_, DefaultScreen(display_));
  white.override_redirect = True;
  // Each uncovering comes 110 to 134 ms after the frame seen last; waiting
  // for the next tick instead takes some 55 ms a trial then. The middle of
  // the trials is judged, since a virtual machine now and then wakes a
  // process tens of milliseconds late.
  constexpr int kTrials = 7;
  std::vector<Steady::duration> waits;
  for (int trial = 0; trial < kTrials; ++trial) {
    const Window cover = XCreateWindow(display_, DefaultRootWindow(display_), x, y, kWidth, kHeight, 0, CopyFromParent,
                                       InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &white);
    XMapRaised(display_, cover);
    XSync(display_, False);
    std::this_thread::sleep_for(110ms + trial * 4ms);
    while (watcher.Next(Steady::now())) {
    }
    const auto uncovered = Steady::now();
    XDestroyWindow(display_, cover);
    XSync(display_, False);
    const auto shown = watcher.Next(uncovered + 1s);
    ASSERT_TRUE(shown.has_value()) << "the window stayed blank";
    waits.push_back(*shown - uncovered);
  }
  std::nth_element(waits.begin(), waits.begin() + kTrials / 2, waits.end());
  EXPECT_LT(waits[kTrials / 2], 30ms);
}

TEST_F(RealWindow, UnderLoadMissedTicksAreSkippedNotRunBackToBack) {
  std::vector<pid_t> busy;
  for (unsigned core = 0; core < std::max(2u, std::thread::hardware_concurrency()); ++core) {
    const pid_t child = fork();
    if (child == 0) {
      std::atomic<unsigned long> spin{0};
      while (true) spin.fetch_add(1, std::memory_order_relaxed);
    }
    busy.push_back(child);
  }
  xsession::FrameWatcher watcher(display_, window_);
  std::vector<Steady::time_point> frames;
  const auto end = Steady::now() + 3s;
  while (const auto frame = watcher.Next(end)) frames.push_back(*frame);
  for (pid_t child : busy) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }

  EXPECT_GE(frames.size(), 15u) << "the program hardly ran";
  EXPECT_LE(frames.size(), 31u) << "more ticks than the timer gives";
  // Catching up would put a third frame within one interval of the first.
  for (size_t i = 2; i < frames.size(); ++i) EXPECT_GT(frames[i] - frames[i - 2], 90ms);
}

TEST_F(RealWindow, RestsWhileUnseenAndOnceSeenAgainShowsThePresentPicture) {
  xsession::FrameWatcher watcher(display_, window_);
  ASSERT_TRUE(watcher.Next(Steady::now() + 1s));
  const auto before = Capture();
  XUnmapWindow(display_, window_);
  XSync(display_, False);
  std::this_thread::sleep_for(200ms);
  const double cpu = xsession::CpuSeconds(program_->pid());
  std::this_thread::sleep_for(2s);
  // Shown, two seconds of ticks take some 5 ms here.
  EXPECT_LT(xsession::CpuSeconds(program_->pid()) - cpu, 0.001) << "the program works while unseen";

  XMapWindow(display_, window_);
  XSync(display_, False);
  const auto mapped = Steady::now();
  ASSERT_TRUE(watcher.Next(mapped + 1s)) << "the last frame was not shown again";
  const auto tick = watcher.Next(mapped + 1s);
  ASSERT_TRUE(tick.has_value());
  EXPECT_LT(*tick - mapped, 150ms);
  EXPECT_NE(pixels::All(*Capture()), pixels::All(*before)) << "the tree did not move on while unseen";
}

// The number of the window's pixels that are not those of the first frame
// (one vertical line), placed and enlarged as given with black around it;
// reports the first.
int PixelsUnlikeTheFirstFrame(Display* display, Window window, const runtime::Placement& placement) {
  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  const auto reference = pixels::FirstFrameShown(attributes.width, attributes.height, placement);
  XImage* image = XGetImage(display, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (!image) {
    ADD_FAILURE() << "no picture of the window";
    return -1;
  }
  // A colour as the window's visual holds it.
  const Visual& visual = *attributes.visual;
  const auto encode = [&](runtime::Rgb rgb) {
    const auto channel = [](uint8_t value, unsigned long mask) {
      return static_cast<unsigned long>(value) >> (8 - __builtin_popcountl(mask)) << __builtin_ctzl(mask);
    };
    return channel(rgb.red, visual.red_mask) | channel(rgb.green, visual.green_mask) |
           channel(rgb.blue, visual.blue_mask);
  };
  const unsigned long colourBits = visual.red_mask | visual.green_mask | visual.blue_mask;
  int wrong = 0;
  for (int y = 0; y < attributes.height; ++y) {
    for (int x = 0; x < attributes.width; ++x) {
      const unsigned long expected = encode(reference->Pixel(x, y));
      const unsigned long shown = XGetPixel(image, x, y) & colourBits;
      if (shown != expected && wrong++ == 0) {
        ADD_FAILURE() << "at " << x << ", " << y << ": " << std::hex << shown << " instead of " << expected;
      }
    }
  }
  XDestroyImage(image);
  return wrong;
}

// A screen the program shows its window on.
struct Screen {
  const char* name;
  const char* xvfb;       // Xvfb's screen: width x height x depth
  const char* resources;  // the desktop's resource database, if any
  std::vector<std::string> environment, arguments;
  int scale;  // the window's expected enlargement
};

void PrintTo(const Screen& screen, std::ostream* out) { *out << screen.name; }

class Screens : public ::testing::TestWithParam<Screen> {};

// The first frame is one vertical line, the same on every screen: each pixel
// of the unscaled picture an s x s block of the window's pixels.
TEST_P(Screens, FirstFrameIsTheUnscaledOneEnlargedExactly) {
  if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no real window can be shown";
  const Screen& c = GetParam();

  xsession::XServer server(c.xvfb);
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  const Window root = DefaultRootWindow(display);
  if (c.resources) {
    XChangeProperty(display, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(c.resources), static_cast<int>(strlen(c.resources)));
  }
  xsession::Process program(Program(c.arguments), server.name(), c.environment);
  const Window window = xsession::FindWindow(display, kCaption, 20s);
  ASSERT_NE(window, 0u) << program.Errors();
  xsession::FrameWatcher watcher(display, window, c.scale);
  ASSERT_TRUE(watcher.Next(Steady::now() + 2s)) << "no frame shown";

  XWindowAttributes attributes;
  XGetWindowAttributes(display, window, &attributes);
  ASSERT_EQ(attributes.width, kWidth * c.scale);
  ASSERT_EQ(attributes.height, kHeight * c.scale);
  EXPECT_EQ(PixelsUnlikeTheFirstFrame(display, window, {c.scale, 0, 0}), 0);
  XCloseDisplay(display);
}

const char* kLargeScreen = "1280x1152x24";
INSTANTIATE_TEST_SUITE_P(
    EveryScreen, Screens,
    ::testing::Values(Screen{"Unscaled", kLargeScreen, nullptr, {}, {}, 1},
                      Screen{"XftDpi192", kLargeScreen, "Xft.dpi:\t192\n", {}, {}, 2},
                      Screen{"XftDpi120RoundsDownAndWins", kLargeScreen, "Xft.dpi:\t120\n", {"GDK_SCALE=2"}, {}, 1},
                      Screen{"GdkScale2", kLargeScreen, nullptr, {"GDK_SCALE=2"}, {}, 2},
                      Screen{"ScaleOption3Overrides", kLargeScreen, "Xft.dpi:\t192\n", {}, {"--scale", "3"}, 3},
                      Screen{"TenBitsAChannel", "1024x768x30", nullptr, {}, {}, 1},
                      Screen{"SixteenBits", "1024x768x16", nullptr, {}, {}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// Drawing into another program's window, as screensavers have their display
// programs do: the picture enlarged by the largest whole factor that fits,
// centred, black around it.
class GivenWindow : public XvfbTest {
 protected:
  Window CreateWindow(int width, int height) {
    const Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, width, height, 0, 0, 0);
    XMapWindow(display_, window);
    XSync(display_, False);
    return window;
  }

  // Waits for a frame of the picture placed as given.
  bool NextFrame(Window window, const runtime::Placement& placement) {
    return xsession::FrameWatcher(display_, window, placement.scale, placement.left, placement.top, placement.reduction)
        .Next(Steady::now() + 5s)
        .has_value();
  }
};

TEST_F(GivenWindow, FirstFrameIsEnlargedToFitTheWindowOrTheScreensaversOrTheRoot) {
  struct Case {
    const char* name;
    int width, height;  // of a window of the test's own; 0 for the screen's root window
    std::vector<std::string> arguments;
    const char* environment;  // the variable naming the window, if any
    runtime::Placement placement;
  };
  const Case cases[] = {
      {"--window-id", 1000, 750, {"--window-id"}, nullptr, {2, 158, 9}},
      {"--window-id in hexadecimal", 400, 300, {"--window-id"}, nullptr, {1, 114, 58, 2}},
      // As xscreensaver's settings run the entry's command for their preview.
      {"a screensaver's preview", 152, 112, {"--root", "--window-id"}, "XSCREENSAVER_WINDOW=", {1, 33, 10, 4}},
      {"--root in a screensaver", 700, 740, {"--root"}, "XSCREENSAVER_WINDOW=", {2, 8, 4}},
      {"--root on the screen", 0, 0, {"--root"}, nullptr, {2, 170, 18}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Window window = c.width ? CreateWindow(c.width, c.height) : DefaultRootWindow(display_);
    char id[32];
    std::snprintf(id, sizeof id, c.placement.scale == 1 ? "0x%lx" : "%lu", window);
    std::vector<std::string> arguments = c.arguments, environment;
    if (arguments.back() == "--window-id") arguments.emplace_back(id);
    if (c.environment) environment.push_back(c.environment + std::to_string(window));
    xsession::Process program(Program(arguments), server_->name(), environment);
    ASSERT_TRUE(NextFrame(window, c.placement)) << program.Errors();
    EXPECT_EQ(PixelsUnlikeTheFirstFrame(display_, window, c.placement), 0);
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(1s), std::optional<int>(0));
    if (c.width) XDestroyWindow(display_, window);
  }
}

TEST_F(GivenWindow, FollowsTheWindowsSizeAndEndsQuietlyWhenItIsDestroyed) {
  const Window window = CreateWindow(1000, 750);
  xsession::Process program(Program({"--window-id", std::to_string(window)}), server_->name());
  ASSERT_TRUE(NextFrame(window, {2, 158, 9})) << program.Errors();

  XResizeWindow(display_, window, 400, 300);  // smaller than the picture: all of it shows, reduced
  XSync(display_, False);
  ASSERT_TRUE(NextFrame(window, {1, 114, 58, 2})) << "the picture did not follow the window's size";

  XDestroyWindow(display_, window);
  XSync(display_, False);
  EXPECT_EQ(program.Wait(2s), std::optional<int>(0));
  EXPECT_EQ(program.Errors(), "");
}

// The window's owner sizes it away and back between two ticks, as a preview
// pane being dragged does: each time the window's pixels are made again.
TEST_F(GivenWindow, ResizedAwayAndBackBetweenTicksItGoesOnAndFollowsTheLastSize) {
  const Window window = CreateWindow(kWidth, kHeight);
  xsession::Process program(Program({"--window-id", std::to_string(window)}), server_->name());
  ASSERT_TRUE(NextFrame(window, {1, 0, 0})) << program.Errors();
  for (int round = 0; round < 60; ++round) {
    XResizeWindow(display_, window, 400, 400);
    XResizeWindow(display_, window, kWidth, kHeight);
    XSync(display_, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(17 + round % 7 * 5));  // at every phase of the timer
  }
  ASSERT_EQ(program.Wait(0s), std::nullopt) << "the program ended: " << program.Errors();
  ASSERT_TRUE(NextFrame(window, {1, 0, 0})) << "no tree after the resizes";

  XResizeWindow(display_, window, 2 * kWidth, 2 * kHeight);
  XSync(display_, False);
  ASSERT_TRUE(NextFrame(window, {2, 0, 0}));
  const auto shown = xsession::Capture(display_, window, 2 * kWidth, 2 * kHeight);
  EXPECT_GT(pixels::CountTreePixels(*shown), 1000);
  EXPECT_EQ(pixels::PixelsUnlike(*shown, *pixels::AsWholeBlocks(*shown, {2, 0, 0})), 0);
  program.Signal(SIGTERM);
  EXPECT_EQ(program.Wait(1s), std::optional<int>(0));
  EXPECT_EQ(program.Errors(), "");
}

TEST_F(GivenWindow, AWindowThatIsNotThereIsAnError) {
  const Window window = CreateWindow(10, 10);
  XDestroyWindow(display_, window);
  XSync(display_, False);
  xsession::Process program(Program({"--window-id", std::to_string(window)}), server_->name());
  EXPECT_EQ(program.Wait(2s), std::optional<int>(1));
  char line[80];
  std::snprintf(line, sizeof line, "Fractal Tree: there is no window 0x%lx to draw into\n", window);
  EXPECT_EQ(program.Errors(), line);
}

// The Windows program as Windows runs it: at a display's DPI, and as a
// screensaver, full screen, in the settings' preview, and for its settings.
class OnWindows : public XvfbTest {
 protected:
  void SetUp() override {
    if (!UnderWine()) GTEST_SKIP() << "only the Windows program runs as Windows runs it";
    XvfbTest::SetUp();
  }

  // Waits for the window with the title given, as Wine's window manager stand-in.
  Window WindowTitled(const std::string& title) {
    const Window window = xsession::FindWindow(display_, title, 20s);
    if (window) AcknowledgeForWine(display_, window);
    return window;
  }

  // Waits for the first frame, placed as given, then counts its wrong pixels.
  int FirstFrameWrongPixels(Window window, const runtime::Placement& placement) {
    xsession::FrameWatcher watcher(display_, window, placement.scale, placement.left, placement.top,
                                   placement.reduction);
    if (!watcher.Next(Steady::now() + 10s)) return -1;
    return PixelsUnlikeTheFirstFrame(display_, window, placement);
  }

  // Runs a Windows program of the build's own, or a tool, to its end.
  int RunToEnd(const std::vector<std::string>& argv) {
    xsession::Process run(argv, server_->name());
    return run.Wait(60s).value_or(-1);
  }
};

TEST_F(OnWindows, AHighDpiDisplayShowsTheWindowAtItsWholeScale) {
  const auto logPixels = [&](const char* dpi) {
    return RunToEnd(
        {"wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", dpi, "/f"});
  };
  ASSERT_EQ(logPixels("192"), 0);
  xsession::Process program(Program(), server_->name());
  const Window window = WindowTitled(kCaption);
  ASSERT_NE(window, 0u) << program.Errors();
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, window, &attributes);
  EXPECT_EQ(attributes.width, 2 * kWidth);
  EXPECT_EQ(attributes.height, 2 * kHeight);
  EXPECT_EQ(FirstFrameWrongPixels(window, {2, 0, 0}), 0);
  program.Signal(SIGTERM);
  program.Wait(kEndsWithin);
  EXPECT_EQ(logPixels("96"), 0);
}

TEST_F(OnWindows, FullScreenShowsTheWholeScaleFirstFrameAndEndsOnAKeyOrTheMouse) {
  if (!xsession::OnPath("xdotool")) GTEST_SKIP() << "xdotool is not installed, so no key can be pressed";
  // The pointer's first place is where it is first seen, not a move of it.
  const std::vector<std::vector<std::vector<std::string>>> touches = {
      {{"xdotool", "key", "a"}},
      {{"xdotool", "mousemove", "500", "400"}, {"xdotool", "mousemove", "100", "100"}},
  };
  for (const auto& touch : touches) {
    SCOPED_TRACE(touch.front()[1]);
    xsession::Process program(Program({"/s"}), server_->name());
    const Window window = WindowTitled(kCaption);
    ASSERT_NE(window, 0u) << program.Errors();
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, window, &attributes);
    EXPECT_EQ(attributes.width, kScreenWidth);
    EXPECT_EQ(attributes.height, kScreenHeight);
    EXPECT_EQ(FirstFrameWrongPixels(window, runtime::Fit(kWidth, kHeight, kScreenWidth, kScreenHeight)), 0);
    for (const auto& step : touch) {
      EXPECT_EQ(RunToEnd(step), 0);
      std::this_thread::sleep_for(300ms);
    }
    EXPECT_EQ(program.Wait(kEndsWithin + 1s), std::optional<int>(0));
  }
}

TEST_F(OnWindows, PreviewDrawsTheReducedTreeIntoTheWindowGivenAndEndsWithIt) {
  const char* standIn = std::getenv("FRACTAL_TREE_PREVIEW_STAND_IN");
  if (!standIn) GTEST_SKIP() << "FRACTAL_TREE_PREVIEW_STAND_IN names no stand-in for the preview";
  xsession::Process dialog({"wine", standIn}, server_->name());
  const Window preview = WindowTitled("Preview stand-in");
  ASSERT_NE(preview, 0u) << dialog.Errors();
  std::string handle = dialog.Errors();
  for (int i = 0; i < 100 && handle.find('\n') == std::string::npos; ++i) {
    std::this_thread::sleep_for(50ms);
    handle += dialog.Errors();
  }
  ASSERT_NE(handle.find('\n'), std::string::npos) << "the stand-in told no handle";
  // Wine ends the stand-in's line as Windows does, with a carriage return.
  xsession::Process program(Program({"/p", handle.substr(0, handle.find_first_of("\r\n"))}), server_->name());
  // The stand-in paints itself white as it likes: the tree, reduced four times
  // and centred, shows again at the next tick.
  const runtime::Placement reduced = runtime::Fit(kWidth, kHeight, 152, 112);
  xsession::FrameWatcher watcher(display_, preview, 1, reduced.left, reduced.top, reduced.reduction);
  ASSERT_TRUE(watcher.Next(Steady::now() + 10s)) << program.Errors();
  std::this_thread::sleep_for(300ms);
  const auto shown = xsession::Capture(display_, preview, 152, 112);
  EXPECT_GE(pixels::CountTreePixels(*shown), 300 / 4) << "not the whole trunk, reduced";
  AskToClose(display_, preview);
  EXPECT_EQ(dialog.Wait(5s), std::optional<int>(0));
  EXPECT_EQ(program.Wait(kEndsWithin + 1s), std::optional<int>(0)) << program.Errors();
}

// The installer as a Windows user runs it, quietly: the program, its texts,
// the screensaver where Screen Saver Settings finds it, a Start menu
// shortcut and an entry in Apps & features with the program's icon; the
// program installed shows its first frame; removing it leaves nothing.
TEST_F(OnWindows, InstallerPutsEverythingInPlaceAndRemovingItLeavesNothing) {
  const char* installer = std::getenv("FRACTAL_TREE_INSTALLER");
  const char* prefix = std::getenv("WINEPREFIX");
  if (!installer || !*installer || !prefix) GTEST_SKIP() << "FRACTAL_TREE_INSTALLER names no installer";
  const fs::path drive = fs::path(prefix) / "drive_c";
  const fs::path folder = drive / "Program Files" / "Fractal Tree";
  const fs::path listing = fs::path(testing::TempDir()) / "uninstall.txt";
  // What the installer made that is there now.
  const auto made = [&] {
    std::vector<std::string> found;
    for (const fs::path& file : {folder / "fractal-tree.exe", folder / "README.txt", folder / "LICENSE.txt",
                                 drive / "windows" / "system32" / "fractal-tree.scr"}) {
      if (fs::exists(file)) found.push_back(file.filename().string());
    }
    for (const auto& entry : fs::recursive_directory_iterator(drive, fs::directory_options::skip_permission_denied)) {
      const std::string name = entry.path().filename().string();
      if (name == "Fractal Tree.lnk" || name == "fractal_tree.ico") found.push_back(name);
    }
    RunToEnd({"sh", "-c",
              "wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' /s >'" +
                  listing.string() + "'"});
    std::ifstream text(listing);
    for (std::string line; std::getline(text, line);) {
      for (const char* value :
           {"DisplayName    REG_SZ    Fractal Tree", "Publisher    REG_SZ    The Fractal Tree developers",
            "DisplayVersion    REG_SZ    " FRACTAL_TREE_VERSION}) {
        if (line.find(value) != std::string::npos) found.emplace_back(value);
      }
    }
    return found;
  };
  ASSERT_EQ(made(), std::vector<std::string>{}) << "installed before the test";

  ASSERT_EQ(RunToEnd({"wine", "msiexec", "/i", installer, "/qn"}), 0);
  EXPECT_EQ(made().size(), 9u) << ::testing::PrintToString(made());
  xsession::Process program({"wine", (folder / "fractal-tree.exe").string()}, server_->name());
  const Window window = WindowTitled(kCaption);
  ASSERT_NE(window, 0u) << program.Errors();
  EXPECT_EQ(FirstFrameWrongPixels(window, {1, 0, 0}), 0);
  program.Signal(SIGTERM);
  program.Wait(kEndsWithin);

  ASSERT_EQ(RunToEnd({"wine", "msiexec", "/x", installer, "/qn"}), 0);
  EXPECT_EQ(made(), std::vector<std::string>{});
}

TEST_F(OnWindows, SettingsTellThatThereAreNone) {
  xsession::Process program(Program({"/c"}), server_->name());
  const Window box = WindowTitled(kCaption);
  ASSERT_NE(box, 0u) << program.Errors();
  AskToClose(display_, box);
  EXPECT_EQ(program.Wait(5s), std::optional<int>(0));
}

TEST_F(XvfbTest, OnWindowsAFatalErrorIsShownInAMessageBox) {
  if (!UnderWine()) GTEST_SKIP() << "only the Windows program tells of errors in a message box";
  xsession::Process program(Program(), server_->name(), {"SDL_VIDEODRIVER=none"});
  const Window box = xsession::FindWindow(display_, kCaption, 20s);
  ASSERT_NE(box, 0u) << "no message box; " << program.Errors();
  AcknowledgeForWine(display_, box);
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, box, &attributes);
  EXPECT_NE(attributes.width, kWidth) << "the program's own window, not a message box";
  AskToClose(display_, box);
  EXPECT_EQ(program.Wait(5s), std::optional<int>(1));
  EXPECT_NE(program.Errors().find("Fractal Tree: no display to show the window on: "), std::string::npos);
}

TEST(NoDisplay, ProgramReportsOneLineAndFails) {
  xsession::Process program(Program(), std::nullopt);
  const std::optional<int> status = program.Wait(5s);
  ASSERT_TRUE(status.has_value()) << "the program did not end";
  EXPECT_NE(*status, 0);
  const std::string errors = program.Errors();
  EXPECT_EQ(errors.rfind("Fractal Tree: ", 0), 0u) << errors;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
}

}  // namespace
