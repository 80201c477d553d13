#include "host/canvas.h"

#include <SDL.h>

#include "host/window_pixels.h"

namespace host {

Canvas::Canvas(Screen& screen, const WindowSettings& settings) : screen_(screen), background_(settings.background) {
  picture_.emplace(settings.width, settings.height, background_);
  picture_->Cls();
}

void Canvas::Cls() {
  if (drawing_) drawing_->Cls();
}

void Canvas::Line(float x1, float y1, float x2, float y2, runtime::Colour colour) {
  if (drawing_) drawing_->Line(x1, y1, x2, y2, colour);
}

void Canvas::NewPixels() {
  if (presenter_) presenter_->KeepLastFrame();
  presenter_.reset();
}

void Canvas::Tick(Form& form) {
  if (!Visible()) return;
  if (behind_) CatchUp(form);
  Draw(form);
}

void Canvas::Still(Form& form) {
  CatchUp(form);
  Draw(form);
  behind_ = true;
}

void Canvas::Draw(Form& form) {
  Presenter& presenter = CurrentPresenter();
  screen_.AboutToDraw();
  RunTick(form, &presenter.surface());
  presenter.Show();
}

void Canvas::Present() {
  Presenter& presenter = CurrentPresenter();
  screen_.AboutToDraw();
  presenter.Show(true);
}

void Canvas::CatchUp(Form& form) {
  RunTick(form, nullptr);
  behind_ = false;
}

void Canvas::RunTick(Form& form, runtime::Surface* target) {
  drawing_ = target;
  try {
    form.Timer1_Timer();
  } catch (...) {
    drawing_ = nullptr;
    throw;
  }
  drawing_ = nullptr;
}

Presenter& Canvas::CurrentPresenter() {
  if (!presenter_) presenter_ = screen_.OwnPresenter(*picture_);
  if (!presenter_) {
    SDL_Surface* pixels = screen_.Pixels();
    FollowFormat(pixels);
    if (pixels->format->format == picture_->image()->format->format && pixels->w == picture_->width() &&
        pixels->h == picture_->height()) {
      presenter_ = std::make_unique<InPlace>(screen_, pixels, *picture_, background_);
    } else {
      presenter_ = std::make_unique<Enlarged>(screen_, pixels, *picture_);
    }
  }
  return *presenter_;
}

// The picture is drawn in the pixel format of the window's pixels, where it
// has 8 bits a channel, so that no frame needs converting to show; it keeps
// the last frame.
void Canvas::FollowFormat(const SDL_Surface* pixels) {
  const SDL_PixelFormat& format = *pixels->format;
  const bool eightBitChannels =
      format.BytesPerPixel == 4 && format.Rloss == 0 && format.Gloss == 0 && format.Bloss == 0;
  if (!eightBitChannels || format.format == picture_->image()->format->format) return;
  const int width = picture_->width(), height = picture_->height();
  SoftwareSurface last(width, height, background_, picture_->image()->format->format);
  last.CopyFrom(*picture_);
  picture_.emplace(width, height, background_, format.format);
  picture_->CopyFrom(last);
}

}  // namespace host
