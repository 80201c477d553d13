// The page in a real browser: Debian's Chromium, headless, driven over the
// DevTools protocol in real time, on a web server on 127.0.0.1 that the test
// starts.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "runtime/scale.h"
#include "testing/devtools.h"
#include "testing/pixels.h"
#include "testing/unprivileged.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 342, kHeight = 366;  // the canvas, in CSS pixels
constexpr int kFirstFramePixels = 400;      // more than the first frame, a single line, has

// Run by the page before its own scripts: each canvas counts the pictures
// put on it; and, asked to, keeps the first and drops every later one, so
// that a screenshot taken at leisure shows the first frame as the browser
// shows it.
constexpr const char* kCountFrames = R"(
  const transfer = HTMLCanvasElement.prototype.transferControlToOffscreen;
  HTMLCanvasElement.prototype.transferControlToOffscreen = function () {
    this.offscreen = transfer.call(this);
    this.offscreen.element = this;
    return this.offscreen;
  };
  const put = OffscreenCanvasRenderingContext2D.prototype.putImageData;
  OffscreenCanvasRenderingContext2D.prototype.putImageData = function (...picture) {
    const canvas = this.canvas.element;
    canvas.frames = (canvas.frames ?? 0) + 1;
    if (canvas.frames === 1 || !window.keepFirstFrame) put.apply(this, picture);
  };
)";
constexpr const char* kKeepFirstFrame = "window.keepFirstFrame = true;";

// The nth <fractal-tree> of the page, in JavaScript.
std::string Tree(int n) { return "document.querySelectorAll('fractal-tree')[" + std::to_string(n) + "]"; }
std::string Frames(int n) { return "(" + Tree(n) + ".shadowRoot.querySelector('canvas').frames ?? 0)"; }

class Page : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* page = std::getenv("FRACTAL_TREE_WEB_DIR");
    if (!page) GTEST_SKIP() << "FRACTAL_TREE_WEB_DIR names no page: make web-test runs this";
    for (const char* tool : {"chromium", "python3"}) {
      if (!xsession::OnPath(tool)) GTEST_SKIP() << tool << " is not installed";
    }
    server_.emplace(page);
    ASSERT_TRUE(server_->Serving()) << server_->Errors();
  }

  // The page, in a tab of the size given in CSS pixels of a browser of the
  // device pixel ratio given, its trees' frames counted.
  devtools::Page Open(int width, int height, double ratio = 1, const std::string& script = "",
                      const devtools::Json& media = devtools::Json::array()) {
    browser_.reset();
    browser_.emplace(profile_.path() / "profile",
                     std::vector<std::string>{"--force-device-scale-factor=" + std::to_string(ratio)});
    return browser_->Open(server_->Address("/"), width, height, kCountFrames + script, media);
  }

  std::unique_ptr<host::SoftwareSurface> Screenshot(devtools::Page& page) {
    return page.Screenshot(profile_.path() / "shot.png");
  }

  // The picture of the nth tree in a screenshot, at the page's device pixel ratio.
  std::unique_ptr<host::SoftwareSurface> TreeShown(devtools::Page& page, int n) {
    const devtools::Json box = page.Evaluate("(({x, y, width, height}) => [x, y, width, height])(" + Tree(n) +
                                             ".getBoundingClientRect()).map((v) => Math.round(v * devicePixelRatio))");
    return pixels::Part(*Screenshot(page), box[0], box[1], box[2], box[3]);
  }

  unprivileged::Folder profile_;
  std::optional<devtools::Server> server_;
  std::optional<devtools::Browser> browser_;
};

// At every device pixel ratio the canvas holds the picture at the ratio
// rounded to a whole scale, one canvas pixel to a device pixel: the
// screenshot is the first frame exactly, in whole blocks.
TEST_F(Page, IsTitledAndShowsTheFirstFrameExactlyAtEveryDevicePixelRatio) {
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0}) {
    SCOPED_TRACE(ratio);
    auto page = Open(600, 600, ratio, kKeepFirstFrame);
    EXPECT_EQ(page.Evaluate("document.title"), "Fractal Tree");
    ASSERT_TRUE(page.WaitFor(Frames(0) + " > 0"));
    const int scale = runtime::WholeScale(ratio);
    const auto expected = pixels::FirstFrameShown(kWidth * scale, kHeight * scale, {scale, 0, 0});
    EXPECT_EQ(pixels::PixelsUnlike(*TreeShown(page, 0), *expected), 0);
  }
}

// Two trees on one page, each its own program: a click pauses one, its
// picture holding while the other moves; a second click resumes it; Tab then
// Space pauses; a tree moved goes on; a tree taken out of the page ends, and
// nothing is left of it.
TEST_F(Page, TreesPauseOnAClickOrAKeyEachOnItsOwnAndStopWhenRemoved) {
  auto page = Open(800, 450);
  page.Evaluate("document.body.append(document.createElement('fractal-tree'))");
  ASSERT_TRUE(page.WaitFor(Frames(0) + " > 3 && " + Frames(1) + " > 3"));
  const auto center = [&](int n) {
    return page.Evaluate("(({x, y, width, height}) => [x + width / 2, y + height / 2])(" + Tree(n) +
                         ".getBoundingClientRect())");
  };
  const auto click = [&](int n) {
    const auto at = center(n);
    for (const char* type : {"mousePressed", "mouseReleased"}) {
      page.Call("Input.dispatchMouseEvent",
                {{"type", type}, {"x", at[0]}, {"y", at[1]}, {"button", "left"}, {"clickCount", 1}});
    }
  };
  const auto press = [&](const char* key, const char* code, int keyCode) {
    for (const char* type : {"keyDown", "keyUp"}) {
      page.Call("Input.dispatchKeyEvent",
                {{"type", type}, {"key", key}, {"code", code}, {"windowsVirtualKeyCode", keyCode}});
    }
  };
  // Whether, over half a second, the nth tree's picture changes and it draws.
  const auto moves = [&](int n) {
    const auto before = TreeShown(page, n);
    const int frames = page.Evaluate(Frames(n));
    std::this_thread::sleep_for(500ms);
    const bool drew = page.Evaluate(Frames(n)) > frames;
    EXPECT_EQ(drew, pixels::All(*before) != pixels::All(*TreeShown(page, n))) << "tree " << n;
    return drew;
  };

  click(0);
  EXPECT_EQ(page.Evaluate(Tree(0) + ".paused"), true);
  EXPECT_EQ(page.Evaluate(Tree(0) + ".getAttribute('aria-pressed')"), "true");
  EXPECT_FALSE(moves(0));
  EXPECT_TRUE(moves(1));
  click(0);
  EXPECT_EQ(page.Evaluate(Tree(0) + ".getAttribute('aria-pressed')"), "false");
  EXPECT_TRUE(moves(0));

  // Tab goes on from the tree clicked to the next.
  press("Tab", "Tab", 9);
  EXPECT_EQ(page.Evaluate("document.activeElement === " + Tree(1)), true);
  EXPECT_EQ(page.Evaluate(Tree(1) + ".getAttribute('role') + ': ' + " + Tree(1) + ".getAttribute('aria-label')"),
            "button: Pause the animated fractal tree");
  press(" ", "Space", 32);
  EXPECT_EQ(page.Evaluate(Tree(1) + ".paused"), true);
  EXPECT_FALSE(moves(1));
  press("Enter", "Enter", 13);
  EXPECT_TRUE(moves(1));

  // Moved within the page, a tree goes on with the frames it had.
  const int frames = page.Evaluate(Frames(1));
  page.Evaluate("document.body.prepend(" + Tree(1) + ")");
  EXPECT_TRUE(moves(0)) << "the tree moved stopped";
  EXPECT_GT(page.Evaluate(Frames(0)), frames) << "the tree moved started again";

  // Taken out of the page, a tree ends: nothing of it is left to tick or to
  // listen, and so nothing keeps it.
  page.Evaluate("window.removed = new WeakRef(" + Tree(0) + "); " + Tree(0) + ".remove()");
  EXPECT_TRUE(moves(0)) << "the tree left on the page stopped";
  page.Call("HeapProfiler.collectGarbage");
  EXPECT_EQ(page.Evaluate("window.removed.deref() === undefined"), true) << "the tree taken out is still alive";

  // A second copy of the module, as two copies of the package give, leaves
  // the element as it was.
  EXPECT_EQ(page.Evaluate("import('./fractal-tree.mjs?copy').then(() => customElements.get('fractal-tree') === " +
                          Tree(0) + ".constructor)"),
            true);
}

// A reader who asked for less motion sees a still tree, opened out, paused;
// it moves once resumed.
TEST_F(Page, WithLessMotionTheTreeStartsStillAndOpenedOut) {
  auto page = Open(600, 600, 1, "", {{{"name", "prefers-reduced-motion"}, {"value", "reduce"}}});
  ASSERT_TRUE(page.WaitFor(Frames(0) + " > 0"));
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(page.Evaluate(Frames(0)), 1);
  EXPECT_EQ(page.Evaluate(Tree(0) + ".paused"), true);
  EXPECT_GT(pixels::CountTreePixels(*TreeShown(page, 0)), kFirstFramePixels) << "the still tree is a single line";

  // Zoomed to twice the ratio, the canvas follows, and shows the still tree again.
  page.Call("Emulation.setDeviceMetricsOverride",
            {{"width", 500}, {"height", 500}, {"deviceScaleFactor", 2}, {"mobile", false}});
  ASSERT_TRUE(page.WaitFor(Tree(0) + ".shadowRoot.querySelector('canvas').offscreen.width === 684"));
  std::this_thread::sleep_for(200ms);
  EXPECT_GT(pixels::CountTreePixels(*TreeShown(page, 0)), 4 * kFirstFramePixels);
  page.Evaluate(Tree(0) + ".paused = false");
  EXPECT_TRUE(page.WaitFor(Frames(0) + " > 3"));
}

// The npm package, installed offline into a folder of its own, shows the
// tree from a page there.
TEST_F(Page, TheNpmPackageInstallsOfflineAndShowsTheTree) {
  const char* package = std::getenv("FRACTAL_TREE_NPM_PACKAGE");
  if (!package || !*package) GTEST_SKIP() << "FRACTAL_TREE_NPM_PACKAGE names no package: make web-test gives it";
  if (!xsession::OnPath("npm")) GTEST_SKIP() << "npm is not installed";
  const unprivileged::Folder site;
  xsession::Process install(
      {"sh", "-c",
       "cd '" + site.path().string() + "' && npm install --offline --no-audit --no-fund '" + package + "' >/dev/null"},
      std::nullopt);
  ASSERT_EQ(install.Wait(120s), 0) << install.Errors();
  std::ofstream(site.path() / "index.html")
      << "<!DOCTYPE html><title>A page of its own</title>\n"
         "<script type=\"module\" src=\"node_modules/fractal-tree/fractal-tree.mjs\"></script>\n"
         "<fractal-tree></fractal-tree>\n";
  server_.emplace(site.path().string());
  browser_.emplace(profile_.path() / "profile");
  auto page = browser_->Open(server_->Address("/"), 600, 600, kCountFrames);
  EXPECT_TRUE(page.WaitFor(Frames(0) + " > 3"));
}

}  // namespace
