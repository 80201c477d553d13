#include "host/canvas.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>

#include "testing/pixels.h"
#include "tree/fractal_tree.h"

namespace {

using namespace std::chrono_literals;

constexpr runtime::Rgb kLit{255, 255, 255};

// A window's pixels that the test shows and hides, and what of them the
// window system has been given to show.
class StandInScreen final : public host::Screen {
 public:
  StandInScreen(int width, int height) : pixels(width, height, 0), shown(width, height, 0) {
    pixels.Cls();
    shown.Cls();
  }

  bool Visible() override { return visible; }
  SDL_Surface* Pixels() override { return pixels.image(); }
  void Show() override {
    ++shows;
    SDL_BlitSurface(pixels.image(), nullptr, shown.image(), nullptr);
  }
  void Show(const std::vector<runtime::raster::Rect>& parts) override {
    ++shows;
    for (const auto& part : parts) {
      SDL_Rect rect{part.x, part.y, part.width, part.height};
      SDL_BlitSurface(pixels.image(), &rect, shown.image(), &rect);
    }
  }

  host::SoftwareSurface pixels;
  host::SoftwareSurface shown;
  bool visible = true;
  int shows = 0;
};

// A form whose ticks draw what the test gives, knowing their number.
class CountingForm final : public host::Form {
 public:
  using Draw = void (*)(runtime::Surface& surface, int tick);
  CountingForm(runtime::Surface& surface, Draw draw) : surface_(surface), draw_(draw) {}

  void Form_Load() override {}
  void Timer1_Timer() override { draw_(surface_, ++ticks); }

  int ticks = 0;

 private:
  runtime::Surface& surface_;
  Draw draw_;
};

// Lights the pixel in the column of the tick's number.
void LightColumn(runtime::Surface& surface, int tick) {
  surface.Line(static_cast<float>(tick), 0, static_cast<float>(tick), 0, runtime::ColourOf(kLit));
}

float Tilt(int tick) { return static_cast<float>(tick * 7 % 20 - 10); }
float Spread(int tick) { return static_cast<float>(tick * 11 % 40); }

// Draws the tree at angles of the tick's own.
void DrawTree(runtime::Surface& surface, int tick) {
  surface.Cls();
  tree::FractalTree(surface, Tilt(tick), Spread(tick)).DrawWhole();
}

TEST(Canvas, RestsWhileUnseenThenCatchesUpWithATickThatDrawsNothing) {
  constexpr int kWidth = 8, kHeight = 4;
  const host::WindowSettings settings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    StandInScreen screen(kWidth * scale, kHeight * scale);
    host::Canvas canvas(screen, settings);
    CountingForm form(canvas, LightColumn);
    const auto lit = [&](int column) { return screen.shown.Pixel(column * scale, 0) == kLit; };

    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 1);
    EXPECT_EQ(screen.shows, 1);
    EXPECT_TRUE(lit(1));

    screen.visible = false;
    canvas.Tick(form);
    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 1) << "ticks ran while the window could not be seen";
    EXPECT_EQ(screen.shows, 1);

    screen.visible = true;
    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 3) << "no tick to catch up";
    EXPECT_EQ(screen.shows, 2);
    EXPECT_FALSE(lit(2)) << "the catching-up tick drew";
    EXPECT_TRUE(lit(3));
    EXPECT_EQ(pixels::Count(screen.shown, kLit), 2 * scale * scale);
  }
}

// Only what changed is shown after a tick, yet what the window system shows
// is always the whole frame the tick drew, placed as it fits the window.
TEST(Canvas, EveryFrameShownIsTheWholeFrameDrawnAtEveryScale) {
  constexpr int kWidth = 342, kHeight = 366;
  const host::WindowSettings settings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};
  for (const auto& [width, height] : {std::pair{kWidth, kHeight}, {2 * kWidth, 2 * kHeight}, {1000, 800}, {152, 112}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    StandInScreen screen(width, height);
    host::Canvas canvas(screen, settings);
    CountingForm form(canvas, DrawTree);
    const runtime::Placement placement = runtime::Fit(kWidth, kHeight, width, height);
    for (int tick = 1; tick <= 12; ++tick) {
      canvas.Tick(form);
      host::SoftwareSurface picture(kWidth, kHeight, 0);
      DrawTree(picture, tick);
      ASSERT_EQ(pixels::PixelsUnlike(screen.shown, *pixels::Shown(picture, width, height, placement)), 0)
          << "tick " << tick;
    }
    // Whatever covered the window, an expose shows the whole again.
    screen.shown.Cls();
    canvas.Present();
    EXPECT_EQ(pixels::PixelsUnlike(screen.shown, screen.pixels), 0);
  }
}

}  // namespace
