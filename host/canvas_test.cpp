#include "host/canvas.h"

#include <gtest/gtest.h>

#include "testing/pixels.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 8;
constexpr int kHeight = 4;
constexpr runtime::Rgb kLit{255, 255, 255};
const host::WindowSettings kSettings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};

// A window's pixels that the test shows and hides.
class StandInScreen final : public host::Screen {
 public:
  explicit StandInScreen(int scale) : pixels(kWidth * scale, kHeight * scale, 0) { pixels.Cls(); }

  bool Visible() override { return visible; }
  SDL_Surface* Pixels() override { return pixels.image(); }
  void Show() override { ++shown; }

  host::SoftwareSurface pixels;
  bool visible = true;
  int shown = 0;
};

// Each tick lights the pixel in the column of its own number.
class CountingForm final : public host::Form {
 public:
  explicit CountingForm(runtime::Surface& surface) : surface_(surface) {}

  void Form_Load() override {}
  void Timer1_Timer() override {
    ++ticks;
    surface_.Line(static_cast<float>(ticks), 0, static_cast<float>(ticks), 0, runtime::ColourOf(kLit));
  }

  int ticks = 0;

 private:
  runtime::Surface& surface_;
};

TEST(Canvas, RestsWhileUnseenThenCatchesUpWithATickThatDrawsNothing) {
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    StandInScreen screen(scale);
    host::Canvas canvas(screen, kSettings);
    CountingForm form(canvas);
    const auto lit = [&](int column) { return screen.pixels.Pixel(column * scale, 0) == kLit; };

    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 1);
    EXPECT_EQ(screen.shown, 1);
    EXPECT_TRUE(lit(1));

    screen.visible = false;
    canvas.Tick(form);
    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 1) << "ticks ran while the window could not be seen";
    EXPECT_EQ(screen.shown, 1);

    screen.visible = true;
    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 3) << "no tick to catch up";
    EXPECT_EQ(screen.shown, 2);
    EXPECT_FALSE(lit(2)) << "the catching-up tick drew";
    EXPECT_TRUE(lit(3));
    EXPECT_EQ(pixels::Count(screen.pixels, kLit), 2 * scale * scale);
  }
}

}  // namespace
