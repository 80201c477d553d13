#include "host/canvas.h"

#include <SDL.h>

#include "host/sdl_check.h"
#include "runtime/enlarge.h"

namespace host {

Canvas::Canvas(Screen& screen, const WindowSettings& settings)
    : screen_(screen), background_(settings.background), picture_(settings.width, settings.height, background_) {
  picture_.Cls();
}

void Canvas::Cls() {
  if (target_) target_->Cls();
}

void Canvas::Line(float x1, float y1, float x2, float y2, runtime::Colour colour) {
  if (target_) target_->Line(x1, y1, x2, y2, colour);
}

bool Canvas::Visible() {
  const bool visible = screen_.Visible();
  if (!visible) stale_ = true;
  return visible;
}

// A frame is drawn with the angles of the tick before it: after a time
// unseen, a first tick that draws nothing brings them up to the present.
void Canvas::Tick(Form& form) {
  if (!Visible()) return;
  if (stale_) {
    target_ = nullptr;
    form.Timer1_Timer();
    stale_ = false;
  }
  SDL_Surface* pixels = screen_.Pixels();
  if (HasThePicturesShape(pixels)) {
    direct_.emplace(pixels, background_);
    target_ = &*direct_;
  } else {
    direct_.reset();
    target_ = &picture_;
  }
  form.Timer1_Timer();
  Present();
}

void Canvas::Present() {
  SDL_Surface* pixels = screen_.Pixels();
  if (!direct_ || direct_->image() != pixels) Enlarge(pixels);
  screen_.Show();
}

bool Canvas::HasThePicturesShape(const SDL_Surface* pixels) const {
  return pixels->format->format == picture_.image()->format->format && pixels->w == picture_.width() &&
         pixels->h == picture_.height();
}

// Copies the picture into the window's pixels, enlarged to fit, through an
// image of the window's size where the window's pixels have another format.
void Canvas::Enlarge(SDL_Surface* pixels) {
  SDL_Surface* frame = pixels;
  if (pixels->format->format != picture_.image()->format->format) {
    if (!converted_ || converted_->w != pixels->w || converted_->h != pixels->h) {
      converted_.reset(CheckSdl("cannot create an image of the window's size", [&] {
        return SDL_CreateRGBSurfaceWithFormat(0, pixels->w, pixels->h, 32, picture_.image()->format->format);
      }));
    }
    frame = converted_.get();
  }
  runtime::raster::Enlarge(picture_.pixels(), PixelsOf(frame),
                           runtime::Fit(picture_.width(), picture_.height(), pixels->w, pixels->h),
                           picture_.backgroundPixel());
  if (frame != pixels) {
    CheckSdl("cannot copy the picture to the window", [&] { return SDL_BlitSurface(frame, nullptr, pixels, nullptr); });
  }
}

}  // namespace host
