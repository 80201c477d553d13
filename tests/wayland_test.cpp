// The real program on Wayland, under compositors with a headless output of
// the test's own: cage, which shows one window maximized, sway, which tiles,
// and Weston without input devices; grim takes the screenshots.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "host/png.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;

// Why a compositor cannot be run here, or empty.
std::string Missing(const std::vector<const char*>& tools) {
  for (const char* tool : tools) {
    if (!xsession::OnPath(tool)) return std::string(tool) + " is not installed, so that compositor cannot be run";
  }
  return "";
}

// Runs under cage. Starts the program twice, once asked to use Wayland and
// once finding nothing else, takes two screenshots of each half a second
// apart, then ends it with SIGTERM and keeps its exit status.
constexpr const char* kCageScript = R"sh(#!/bin/sh
cd "$(dirname "$0")"
show() {
  name=$1
  shift
  env "$@" ./fractal-tree 2>"$name.errors" &
  program=$!
  sleep 1
  grim "$name-1.png"
  sleep 0.5
  grim "$name-2.png"
  kill -TERM $program
  wait $program
  echo $? >"$name.status"
}
show asked SDL_VIDEODRIVER=wayland
show found -u DISPLAY
)sh";

TEST(Wayland, ShowsTheSwayingTreeQuietlyAndEndsWithZeroOnSigterm) {
  if (const std::string missing = Missing({"cage", "grim", "Xwayland"}); !missing.empty()) GTEST_SKIP() << missing;
  unprivileged::Folder folder(FRACTAL_TREE_PROGRAM);
  folder.Script("show.sh", kCageScript);
  xsession::Process cage(
      folder.Command(unprivileged::kHeadlessCompositor, {"cage", "--", (folder.path() / "show.sh").string()}),
      std::nullopt);
  ASSERT_EQ(cage.Wait(30s), std::optional<int>(0)) << cage.Errors();

  for (const std::string run : {"asked", "found"}) {
    SCOPED_TRACE(run);
    EXPECT_EQ(folder.Read(run + ".status"), "0\n");
    EXPECT_EQ(folder.Read(run + ".errors"), "") << "a normal run prints nothing";
    const auto first = host::LoadPng((folder.path() / (run + "-1.png")).string());
    const auto second = host::LoadPng((folder.path() / (run + "-2.png")).string());
    EXPECT_GT(pixels::CountTreePixels(*first), 1000);
    EXPECT_NE(pixels::All(*first), pixels::All(*second)) << "the tree does not move";
  }
}

// Runs under sway. Starts the program, stops it as soon as sway tells of its
// window, which it does when the first frame is shown, and takes a screenshot and
// sway's tree of windows; then lets it go on and ends it as END says: with
// SIGTERM, or by killing sway under it, timing how long it takes to notice.
constexpr const char* kSwayScript = R"sh(#!/bin/sh
cd "$(dirname "$0")"
swaymsg -t subscribe '["window"]' >/dev/null &
mapped=$!
sleep 0.2
SDL_VIDEODRIVER=wayland ./fractal-tree 2>errors &
program=$!
wait $mapped
kill -STOP $program
sleep 1
grim first.png
swaymsg -t get_tree >tree.json
kill -CONT $program
sleep 0.3
start=$(date +%s%N)
if [ "$END" = lose ]; then kill -KILL "$(pidof sway)"; else kill -TERM $program; fi
wait $program
echo $? >status.part
echo $((($(date +%s%N) - start) / 1000000)) >milliseconds
mv status.part status
[ "$END" = lose ] || swaymsg exit
)sh";

// A compositor with no input devices, as a display-only kiosk has, offers
// no seat, without which SDL's Wayland driver cannot start: the program says
// so and ends, or where an X display is there too, shows its tree there.
TEST(Weston, WithoutASeatTheProgramSaysSoOrShowsOnX11) {
  if (const std::string missing = Missing({"weston", "Xvfb"}); !missing.empty()) GTEST_SKIP() << missing;
  unprivileged::Folder folder(FRACTAL_TREE_PROGRAM);
  const std::string program = (folder.path() / "fractal-tree").string();
  xsession::Process weston(
      folder.Command({}, {"weston", "--backend=headless-backend.so", "--socket=wayland-1", "--idle-time=0"}),
      std::nullopt);
  ASSERT_TRUE(folder.SocketAppears("wayland-1")) << weston.Errors();

  xsession::Process alone(folder.Command({"WAYLAND_DISPLAY=wayland-1"}, {program}), std::nullopt);
  EXPECT_EQ(alone.Wait(5s), std::optional<int>(1));
  EXPECT_EQ(alone.Errors(),
            "Fractal Tree: the Wayland compositor offers no seat, without which SDL cannot show a window there, and "
            "there is no X display\n");

  xsession::XServer server;
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  xsession::Process beside(folder.Command({"WAYLAND_DISPLAY=wayland-1", "DISPLAY=" + server.name()}, {program}),
                           std::nullopt);
  const Window window = xsession::FindWindow(display, "Fractal Tree", 10s);
  ASSERT_NE(window, 0u) << beside.Errors();
  EXPECT_TRUE(xsession::FrameWatcher(display, window).Next(xsession::Steady::now() + 2s)) << "no tree shown";
  beside.Signal(SIGTERM);
  EXPECT_EQ(beside.Wait(1s), std::optional<int>(0));
  EXPECT_EQ(beside.Errors(), "");
  XCloseDisplay(display);
}

struct SwayRun {
  const char* name;
  const char* outputScale;        // of sway's output
  int windowWidth, windowHeight;  // in the desktop's units
  int scale;                      // of the picture in the window's pixels
  bool wholePixels;               // whether the compositor shows the window's pixels one to one
  const char* end;                // "term" or "lose"
  int status;
  const char* errors;
};

void PrintTo(const SwayRun& run, std::ostream* out) { *out << run.name; }

class Sway : public ::testing::TestWithParam<SwayRun> {};

// On every scale the window floats at a fixed size, and its pixels hold the
// first frame exactly twice enlarged: 1.5 rounds to 2, as on X11.
TEST_P(Sway, WindowFloatsAndShowsTheFirstFrameAtAWholeScale) {
  if (const std::string missing = Missing({"sway", "swaymsg", "grim"}); !missing.empty()) GTEST_SKIP() << missing;
  const SwayRun& run = GetParam();
  unprivileged::Folder folder(FRACTAL_TREE_PROGRAM);
  folder.Script("show.sh", kSwayScript);
  std::ofstream(folder.path() / "config")
      << "output HEADLESS-1 resolution 1920x1080 scale " << run.outputScale << "\nxwayland disable\nexec "
      << (folder.path() / "show.sh").string() << "\n";
  std::vector<std::string> environment = unprivileged::kHeadlessCompositor;
  environment.push_back(std::string("END=") + run.end);
  xsession::Process sway(folder.Command(environment, {"sway", "-c", (folder.path() / "config").string()}),
                         std::nullopt);
  sway.Wait(30s);
  for (int i = 0; i < 100 && folder.Read("status").empty(); ++i) std::this_thread::sleep_for(50ms);

  ASSERT_EQ(folder.Read("status"), std::to_string(run.status) + "\n") << folder.Read("errors") << sway.Errors();
  EXPECT_EQ(folder.Read("errors"), run.errors);
  EXPECT_LT(std::stoi(folder.Read("milliseconds")), 2000);

  const std::string tree = folder.Read("tree.json");
  EXPECT_NE(tree.find("\"type\": \"floating_con\""), std::string::npos) << "the window is tiled";
  EXPECT_EQ(tree.find("\"inhibit_idle\": true"), std::string::npos) << "the window keeps the desktop from idling";
  const std::regex size("\"window_rect\": \\{\\s*\"x\": \\d+,\\s*\"y\": \\d+,\\s*\"width\": " +
                        std::to_string(run.windowWidth) + ",\\s*\"height\": " + std::to_string(run.windowHeight));
  EXPECT_TRUE(std::regex_search(tree, size)) << tree;

  const auto shot = host::LoadPng((folder.path() / "first.png").string());
  // Where the compositor shows the window's pixels scaled, the picture shows
  // as large as its scale makes it, never reduced: the trunk, the same in
  // every frame, is 71 picture pixels long and one wide.
  const int trunk = 71 * run.scale * run.scale;
  EXPECT_NEAR(pixels::Count(*shot, {0, 128, 1}), trunk, trunk * 0.1);
  if (!run.wholePixels) return;
  const auto expected =
      pixels::FirstFrameShown(pixels::kPictureWidth * run.scale, pixels::kPictureHeight * run.scale, {run.scale, 0, 0});
  const auto [shotX, shotY] = pixels::FirstTreePixel(*shot);
  const auto [treeX, treeY] = pixels::FirstTreePixel(*expected);
  EXPECT_EQ(pixels::PixelsUnlike(*shot, *expected, shotX - treeX, shotY - treeY), 0);
}

INSTANTIATE_TEST_SUITE_P(Scales, Sway,
                         ::testing::Values(SwayRun{"Scale2LosingSway", "2", 342, 366, 2, true, "lose", 1,
                                                   "Fractal Tree: lost the connection to the display\n"},
                                           SwayRun{"Scale1Point25", "1.25", 274, 293, 1, false, "term", 0, ""},
                                           SwayRun{"Scale1Point5", "1.5", 456, 488, 2, true, "term", 0, ""},
                                           SwayRun{"Scale1Point75", "1.75", 391, 419, 2, false, "term", 0, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
