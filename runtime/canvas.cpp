#include "runtime/canvas.h"

#include <SDL.h>

#include "runtime/enlarge.h"
#include "runtime/sdl_check.h"

namespace runtime {

void Canvas::ImageDeleter::operator()(SDL_Surface* image) const { SDL_FreeSurface(image); }

Canvas::Canvas(SDL_Window* window, const WindowSettings& settings)
    : window_(window), background_(settings.background), picture_(settings.width, settings.height, background_) {
  picture_.Cls();
}

Canvas::~Canvas() = default;

void Canvas::Cls() {
  if (target_) target_->Cls();
}

void Canvas::Line(float x1, float y1, float x2, float y2, Colour colour) {
  if (target_) target_->Line(x1, y1, x2, y2, colour);
}

bool Canvas::Visible() {
  const bool visible = (SDL_GetWindowFlags(window_) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
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
  SDL_Surface* screen = WindowPixels();
  if (HasThePicturesShape(screen)) {
    direct_.emplace(screen, background_);
    target_ = &*direct_;
  } else {
    direct_.reset();
    target_ = &picture_;
  }
  form.Timer1_Timer();
  Present();
}

void Canvas::Present() {
  SDL_Surface* screen = WindowPixels();
  if (!direct_ || direct_->image() != screen) Enlarge(screen);
  CheckSdl("cannot show the picture", [&] { return SDL_UpdateWindowSurface(window_); });
}

SDL_Surface* Canvas::WindowPixels() {
  return CheckSdl("cannot get the window's pixels", [&] { return SDL_GetWindowSurface(window_); });
}

bool Canvas::HasThePicturesShape(const SDL_Surface* screen) const {
  return screen->format->format == picture_.image()->format->format && screen->w == picture_.width() &&
         screen->h == picture_.height();
}

// Copies the picture into the window's pixels, enlarged to fit, through an
// image of the window's size where the window's pixels have another format.
void Canvas::Enlarge(SDL_Surface* screen) {
  SDL_Surface* frame = screen;
  if (screen->format->format != picture_.image()->format->format) {
    if (!converted_ || converted_->w != screen->w || converted_->h != screen->h) {
      converted_.reset(CheckSdl("cannot create an image of the window's size", [&] {
        return SDL_CreateRGBSurfaceWithFormat(0, screen->w, screen->h, 32, picture_.image()->format->format);
      }));
    }
    frame = converted_.get();
  }
  raster::Enlarge(picture_.pixels(), PixelsOf(frame),
                  raster::Fit(picture_.width(), picture_.height(), screen->w, screen->h), picture_.backgroundPixel());
  if (frame != screen) {
    CheckSdl("cannot copy the picture to the window", [&] { return SDL_BlitSurface(frame, nullptr, screen, nullptr); });
  }
}

}  // namespace runtime
