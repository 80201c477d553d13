#include "host/canvas.h"

#include <SDL.h>

#include <vector>

#include "host/sdl_check.h"
#include "runtime/enlarge.h"

namespace host {

Canvas::Canvas(Screen& screen, const WindowSettings& settings) : screen_(screen), background_(settings.background) {
  picture_.emplace(settings.width, settings.height, background_);
  picture_->Cls();
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
  // Drawing moves into the window's pixels or out of them: show the whole next.
  SDL_Surface* pixels = screen_.Pixels();
  FollowFormat(pixels);
  if (!HasThePicturesShape(pixels)) {
    if (direct_) shownPixels_ = nullptr;
    direct_.reset();
  } else if (!direct_ || direct_->pixels().pixels != pixels->pixels) {
    direct_.emplace(pixels, background_);
    shownPixels_ = nullptr;
  }
  target_ = direct_ ? &*direct_ : &*picture_;
  form.Timer1_Timer();
  Show(pixels, false);
}

void Canvas::Present() { Show(screen_.Pixels(), true); }

// The parts that changed are enough while the window's pixels hold the rest
// of the last frame shown; otherwise, or when asked, the whole is shown.
void Canvas::Show(SDL_Surface* pixels, bool whole) {
  const bool drawnThere = direct_ && direct_->pixels().pixels == pixels->pixels;
  if (whole || pixels->pixels != shownPixels_ ||
      (!drawnThere && pixels->format->format != picture_->image()->format->format)) {
    if (!drawnThere) EnlargeWhole(pixels);
    (drawnThere ? *direct_ : *picture_).TakeChanges();
    screen_.Show();
    shownPixels_ = pixels->pixels;
    return;
  }
  // Drawn in place, the pixels cost only the window system's copy, for which
  // one rectangle costs less than many; enlarged, every pixel is copied here
  // too, and the smaller area of the runs pays.
  if (drawnThere) {
    screen_.Show(direct_->TakeChanges().Bounds());
  } else {
    ShowChanges(pixels);
  }
}

// The picture is drawn in the pixel format of the window's pixels, where it
// has 8 bits a channel, so that no frame needs converting to show.
void Canvas::FollowFormat(const SDL_Surface* pixels) {
  const SDL_PixelFormat& format = *pixels->format;
  const bool eightBitChannels =
      format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0;
  if (!eightBitChannels || format.format == picture_->image()->format->format) return;
  picture_.emplace(picture_->width(), picture_->height(), background_, format.format);
  picture_->Cls();
  shownPixels_ = nullptr;
}

bool Canvas::HasThePicturesShape(const SDL_Surface* pixels) const {
  return pixels->format->format == picture_->image()->format->format && pixels->w == picture_->width() &&
         pixels->h == picture_->height();
}

// Copies the picture into the window's pixels, enlarged to fit, through an
// image of the window's size where the window's pixels have another format.
void Canvas::EnlargeWhole(SDL_Surface* pixels) {
  SDL_Surface* frame = pixels;
  if (pixels->format->format != picture_->image()->format->format) {
    if (!converted_ || converted_->w != pixels->w || converted_->h != pixels->h) {
      converted_.reset(CheckSdl("cannot create an image of the window's size", [&] {
        return SDL_CreateRGBSurfaceWithFormat(0, pixels->w, pixels->h, 32, picture_->image()->format->format);
      }));
    }
    frame = converted_.get();
  }
  runtime::raster::Enlarge(picture_->pixels(), PixelsOf(frame),
                           runtime::Fit(picture_->width(), picture_->height(), pixels->w, pixels->h),
                           picture_->backgroundPixel());
  if (frame != pixels) {
    CheckSdl("cannot copy the picture to the window", [&] { return SDL_BlitSurface(frame, nullptr, pixels, nullptr); });
  }
}

// Copies the parts of the picture that changed into the window's pixels,
// enlarged, and shows them; a reduced picture is copied whole.
void Canvas::ShowChanges(SDL_Surface* pixels) {
  const runtime::Placement placement = runtime::Fit(picture_->width(), picture_->height(), pixels->w, pixels->h);
  const runtime::raster::Tiles changes = picture_->TakeChanges();
  if (placement.reduction > 1) {
    EnlargeWhole(pixels);
    screen_.Show();
    return;
  }
  std::vector<runtime::raster::Rect> shown;
  for (const auto& part : changes.Runs()) {
    const runtime::raster::Rect written =
        runtime::raster::EnlargePart(picture_->pixels(), PixelsOf(pixels), placement, part);
    if (written.width > 0 && written.height > 0) shown.push_back(written);
  }
  screen_.Show(shown);
}

}  // namespace host
