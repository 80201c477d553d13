#include "host/window_pixels.h"

#include <SDL.h>

#include <vector>

#include "host/sdl_check.h"
#include "runtime/enlarge.h"

namespace host {

InPlace::InPlace(Screen& screen, SDL_Surface* pixels, SoftwareSurface& picture, runtime::Colour background)
    : screen_(screen), drawn_(pixels, background), picture_(picture), copiesEachShow_(!screen.KeepsPixels()) {
  drawn_.CopyFrom(picture_);
}

void InPlace::KeepLastFrame() {
  if (!copiesEachShow_) picture_.CopyFrom(drawn_);
}

void InPlace::ShowWhole() {
  drawn_.TakeChanges();
  if (copiesEachShow_) picture_.CopyFrom(drawn_);
  screen_.Show();
}

void InPlace::ShowChanges() {
  if (const std::optional<runtime::raster::Rect> changed = drawn_.TakeChanges().Bounds()) {
    if (copiesEachShow_) picture_.CopyFrom(drawn_, changed);
    screen_.Show({*changed});
  }
}

Enlarged::Enlarged(Screen& screen, SDL_Surface* pixels, SoftwareSurface& picture)
    : screen_(screen),
      pixels_(pixels),
      picture_(picture),
      placement_(runtime::Fit(picture.width(), picture.height(), pixels->w, pixels->h)) {
  if (pixels->format->format != picture.image()->format->format) {
    converted_.reset(CheckSdl("cannot create an image of the window's size", [&] {
      return SDL_CreateRGBSurfaceWithFormat(0, pixels->w, pixels->h, 32, picture.image()->format->format);
    }));
  }
}

void Enlarged::ShowWhole() {
  SDL_Surface* frame = converted_ ? converted_.get() : pixels_;
  runtime::raster::Enlarge(picture_.pixels(), PixelsOf(frame), placement_, picture_.backgroundPixel());
  if (converted_) {
    CheckSdl("cannot copy the picture to the window",
             [&] { return SDL_BlitSurface(converted_.get(), nullptr, pixels_, nullptr); });
  }
  picture_.TakeChanges();
  screen_.Show();
}

// Enlarged, each pixel of the picture is copied here and again by the window
// system: the smaller area of the runs of tiles pays. Reduced or converted,
// the whole is shown.
void Enlarged::ShowChanges() {
  if (converted_ || placement_.reduction > 1) return ShowWhole();
  std::vector<runtime::raster::Rect> shown;
  for (const auto& part : picture_.TakeChanges().Runs()) {
    const runtime::raster::Rect written =
        runtime::raster::EnlargePart(picture_.pixels(), PixelsOf(pixels_), placement_, part);
    if (written.width > 0 && written.height > 0) shown.push_back(written);
  }
  screen_.Show(shown);
}

}  // namespace host
