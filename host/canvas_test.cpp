#include "host/canvas.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "testing/forms.h"
#include "testing/pixels.h"

namespace {

using namespace std::chrono_literals;

constexpr runtime::Rgb kLit{255, 255, 255};

// A window's pixels that the test shows, hides and makes again, and what of
// them the window system has been given to show.
class StandInScreen final : public host::Screen {
 public:
  StandInScreen(int width, int height, bool keeps = false) : keeps_(keeps) {
    Remake(width, height, SDL_PIXELFORMAT_RGB888);
  }

  // Makes the window's pixels again, as a window system may when the
  // window's size changes: a new image, over the same memory where the size
  // and format stay the same, holding anything; and what is shown of them
  // is anything too. A screen that keeps its pixels makes them again only
  // when they are next asked for.
  void Remake(int width, int height, uint32_t format) {
    remade_ = {width, height, format};
    if (!keeps_) MakePixels();
    shown = std::make_unique<host::SoftwareSurface>(width, height, 0);
    SDL_FillRect(shown->image(), nullptr, SDL_MapRGB(shown->image()->format, kAnything, kAnything, kAnything));
  }

  bool Visible() override { return visible; }
  SDL_Surface* Pixels() override {
    if (remade_) MakePixels();
    return pixels_.get();
  }
  bool KeepsPixels() override { return keeps_; }
  void Show() override {
    ++shows;
    SDL_BlitSurface(pixels_.get(), nullptr, shown->image(), nullptr);
  }
  void Show(const std::vector<runtime::raster::Rect>& parts) override {
    ++shows;
    for (const auto& part : parts) {
      SDL_Rect rect{part.x, part.y, part.width, part.height};
      SDL_BlitSurface(pixels_.get(), &rect, shown->image(), &rect);
    }
  }

  // A frame of the window's size as the window shows it, through pixels of
  // the window's format.
  std::unique_ptr<host::SoftwareSurface> AsShown(const host::SoftwareSurface& frame) const {
    const host::SdlPtr<SDL_Surface> through(SDL_ConvertSurface(frame.image(), pixels_->format, 0));
    auto back = std::make_unique<host::SoftwareSurface>(frame.width(), frame.height(), 0);
    SDL_BlitSurface(through.get(), nullptr, back->image(), nullptr);
    return back;
  }

  std::unique_ptr<host::SoftwareSurface> shown;
  bool visible = true;
  int shows = 0;

 private:
  static constexpr uint8_t kAnything = 0x5A;

  struct Size {
    int width, height;
    uint32_t format;
  };

  void MakePixels() {
    const auto [width, height, format] = *remade_;
    remade_.reset();
    const int pitch = width * static_cast<int>(SDL_BYTESPERPIXEL(format));
    if (!pixels_ || pixels_->w != width || pixels_->h != height || pixels_->format->format != format) {
      memory_.assign(static_cast<size_t>(pitch) * static_cast<size_t>(height), 0);
    }
    std::fill(memory_.begin(), memory_.end(), kAnything);
    pixels_.reset(
        SDL_CreateRGBSurfaceWithFormatFrom(memory_.data(), width, height, SDL_BITSPERPIXEL(format), pitch, format));
  }

  bool keeps_;
  std::optional<Size> remade_;  // the pixels to make when next asked for
  std::vector<uint8_t> memory_;
  host::SdlPtr<SDL_Surface> pixels_;
};

// Lights the pixel in the column of the tick's number.
void LightColumn(runtime::Surface& surface, int tick) {
  surface.Line(static_cast<float>(tick), 0, static_cast<float>(tick), 0, runtime::ColourOf(kLit));
}

TEST(Canvas, RestsWhileUnseenOrStillThenCatchesUpWithATickThatDrawsNothing) {
  constexpr int kWidth = 8, kHeight = 4;
  const host::WindowSettings settings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};
  for (int scale : {1, 2}) {
    SCOPED_TRACE(scale);
    StandInScreen screen(kWidth * scale, kHeight * scale);
    host::Canvas canvas(screen, settings);
    forms::CountingForm form(canvas, LightColumn);
    const auto lit = [&](int column) { return screen.shown->Pixel(column * scale, 0) == kLit; };

    canvas.Tick(form);
    EXPECT_EQ(form.ticks, 1);
    EXPECT_EQ(screen.shows, 1);
    EXPECT_TRUE(lit(1));

    screen.visible = false;
    canvas.Hidden();
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
    EXPECT_EQ(pixels::Count(*screen.shown, kLit), 2 * scale * scale);

    // A still picture is shown unseen or not, past a tick that draws
    // nothing, and the ticks after it are missed.
    screen.visible = false;
    canvas.Still(form);
    EXPECT_EQ(form.ticks, 5);
    EXPECT_TRUE(lit(5) && !lit(4));
    screen.visible = true;
    canvas.Tick(form);
    EXPECT_TRUE(lit(7) && !lit(6));
  }
}

// Only what changed is shown after a tick, yet what the window system shows
// is always the whole frame the tick drew, placed as it fits the window,
// whatever pixels the window makes again between ticks, at once or when
// next asked for; an expose shows the whole again, whatever covered the
// window.
TEST(Canvas, EveryFrameShownIsTheWholeFrameDrawnInWhateverPixelsTheWindowMakes) {
  constexpr int kWidth = 342, kHeight = 366;
  const host::WindowSettings settings{"", kWidth, kHeight, 0, 100ms, 0, nullptr};
  struct Pixels {
    int width, height;
    uint32_t format;
  };
  const Pixels made[] = {
      {kWidth, kHeight, SDL_PIXELFORMAT_RGB888},
      {kWidth, kHeight, SDL_PIXELFORMAT_RGB888},
      {2 * kWidth, 2 * kHeight, SDL_PIXELFORMAT_RGB888},
      {400, 400, SDL_PIXELFORMAT_RGB888},
      {kWidth, kHeight, SDL_PIXELFORMAT_RGB888},
      {1000, 800, SDL_PIXELFORMAT_RGB888},
      {152, 112, SDL_PIXELFORMAT_RGB888},
      {kWidth, kHeight, SDL_PIXELFORMAT_BGR888},
      {2 * kWidth, 2 * kHeight, SDL_PIXELFORMAT_BGR888},
      {kWidth, kHeight, SDL_PIXELFORMAT_RGB565},
      {2 * kWidth, 2 * kHeight, SDL_PIXELFORMAT_RGB565},
      {kWidth, kHeight, SDL_PIXELFORMAT_RGB888},
  };
  for (const bool keeps : {false, true}) {
    StandInScreen screen(kWidth, kHeight, keeps);
    host::Canvas canvas(screen, settings);
    forms::CountingForm form(canvas, forms::DrawTree);
    for (const Pixels& pixels : made) {
      SCOPED_TRACE(testing::Message() << pixels.width << " x " << pixels.height << " "
                                      << SDL_GetPixelFormatName(pixels.format) << (keeps ? ", kept" : ""));
      screen.Remake(pixels.width, pixels.height, pixels.format);
      canvas.NewPixels();
      const runtime::Placement placement = runtime::Fit(kWidth, kHeight, pixels.width, pixels.height);
      const auto lastFrameShown = [&] {
        host::SoftwareSurface picture(kWidth, kHeight, 0);
        forms::DrawTree(picture, form.ticks);
        return pixels::PixelsUnlike(*screen.shown,
                                    *screen.AsShown(*pixels::Shown(picture, pixels.width, pixels.height, placement)));
      };
      // New pixels, exposed before a tick (as a paused window's are), show the last frame.
      canvas.Present();
      if (form.ticks > 0) {
        EXPECT_EQ(lastFrameShown(), 0) << "exposed before a tick";
      }
      for (int frame = 0; frame < 3; ++frame) {
        canvas.Tick(form);
        ASSERT_EQ(lastFrameShown(), 0) << "tick " << form.ticks;
      }
      const auto before = pixels::All(*screen.shown);
      screen.shown->Cls();
      canvas.Present();
      EXPECT_EQ(pixels::All(*screen.shown), before);
    }
  }
}

}  // namespace
