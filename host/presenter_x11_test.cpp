// GoogleTest comes before Xlib, whose macros clash with its names.
#include <gtest/gtest.h>
// clang-format off
#include "host/presenter_x11.h"
// clang-format on

#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "host/canvas.h"
#include "testing/forms.h"
#include "testing/pixels.h"
#include "testing/x_capture.h"
#include "testing/x_session.h"

namespace {

using namespace std::chrono_literals;

// A window of the test's own on an X server, shown by the server's drawing.
class XWindowScreen final : public host::Screen {
 public:
  XWindowScreen(Display* display, Window window) : display_(display), window_(window) {}

  bool Visible() override { return true; }
  SDL_Surface* Pixels() override { throw std::logic_error("the X server draws: no window pixels"); }
  void Show() override {}
  void Show(const std::vector<runtime::raster::Rect>& /*parts*/) override {}
  std::unique_ptr<host::Presenter> OwnPresenter(host::SoftwareSurface& picture) override {
    return host::XPresenter::For(display_, window_, picture);
  }

 private:
  Display* display_;
  Window window_;
};

// What the X server shows after every tick is the whole frame drawn, placed
// as it fits the window, much enlarged and reduced, after the window was
// resized, exposed, or covered and uncovered. (Less enlarged, the canvas
// draws into SDL's pixels, which the other canvas tests check.)
TEST(Canvas, OnXTheServerDrawsEveryFrameWhole) {
  if (!xsession::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no X window can be shown";
  constexpr int kWidth = 342, kHeight = 366;
  const host::WindowSettings settings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};
  xsession::XServer server("1800x1900x24");
  Display* display = XOpenDisplay(server.name().c_str());
  ASSERT_NE(display, nullptr) << "Xvfb did not start";
  const Window root = DefaultRootWindow(display);
  const unsigned long white = WhitePixel(display, DefaultScreen(display));
  const Window window = XCreateSimpleWindow(display, root, 0, 0, 4 * kWidth, 4 * kHeight, 0, white, white);
  XMapWindow(display, window);
  XSync(display, False);
  // The connection outlives the presenters that draw through it.
  const std::unique_ptr<Display, int (*)(Display*)> connection(display, XCloseDisplay);

  XWindowScreen screen(display, window);
  host::Canvas canvas(screen, settings);
  forms::CountingForm form(canvas, forms::DrawTree);
  int width = 0, height = 0;
  const auto showsTheLastFrame = [&] {
    XSync(display, False);
    host::SoftwareSurface picture(kWidth, kHeight, 0);
    forms::DrawTree(picture, form.ticks);
    const auto expected = pixels::Shown(picture, width, height, runtime::Fit(kWidth, kHeight, width, height));
    return pixels::PixelsUnlike(*xsession::Capture(display, window, width, height), *expected) == 0;
  };
  for (const auto& [w, h] : {std::pair{4 * kWidth, 4 * kHeight},
                             {5 * kWidth, 5 * kHeight},
                             {1500, 1600},
                             {152, 112},
                             {400, 300},
                             {4 * kWidth, 4 * kHeight}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    width = w;
    height = h;
    XResizeWindow(display, window, static_cast<unsigned>(w), static_cast<unsigned>(h));
    canvas.NewPixels();
    for (int frame = 0; frame < 3; ++frame) {
      canvas.Tick(form);
      ASSERT_TRUE(showsTheLastFrame()) << "tick " << form.ticks;
    }
    XClearArea(display, window, 0, 0, 0, 0, False);
    canvas.Present();
    EXPECT_TRUE(showsTheLastFrame()) << "exposed";
    XSetWindowAttributes cover{};
    cover.override_redirect = True;
    cover.background_pixel = white;
    const Window above =
        XCreateWindow(display, root, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &cover);
    XMapRaised(display, above);
    XDestroyWindow(display, above);
    canvas.Present();
    canvas.Tick(form);
    EXPECT_TRUE(showsTheLastFrame()) << "covered and uncovered";
  }
}

}  // namespace
