#include "runtime/software_surface.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "runtime/sdl_check.h"

namespace runtime {
namespace {

struct Segment {
  double x1, y1, x2, y2;
};

// Pixel coordinates beyond this distance from the origin are clipped in
// floating point first, so that rounding them to integers is always defined.
constexpr double kSafeCoordinate = 1 << 15;

// Liang-Barsky clipping to the square of side 2 * kSafeCoordinate around the
// origin; empty when no part of the segment lies inside.
std::optional<Segment> ClipToSafeBox(const Segment& s) {
  const double dx = s.x2 - s.x1;
  const double dy = s.y2 - s.y1;
  double enter = 0.0;
  double leave = 1.0;
  // Keeps the part of the segment where p * t <= q.
  const auto keep = [&](double p, double q) {
    if (p == 0.0) return q >= 0.0;
    const double t = q / p;
    if (p < 0.0) {
      enter = std::max(enter, t);
    } else {
      leave = std::min(leave, t);
    }
    return enter <= leave;
  };
  const double limit = kSafeCoordinate;
  if (!keep(-dx, s.x1 + limit) || !keep(dx, limit - s.x1) || !keep(-dy, s.y1 + limit) ||
      !keep(dy, limit - s.y1)) {
    return std::nullopt;
  }
  return Segment{s.x1 + enter * dx, s.y1 + enter * dy, s.x1 + leave * dx, s.y1 + leave * dy};
}

// The segment in a form whose ends round to integers safely: as it is when it
// lies near the origin, clipped otherwise; empty when no part of it can show.
std::optional<Segment> Drawable(const Segment& s) {
  if (!std::isfinite(s.x1 + s.y1 + s.x2 + s.y2)) return std::nullopt;
  const double farthest = std::max({std::fabs(s.x1), std::fabs(s.y1), std::fabs(s.x2), std::fabs(s.y2)});
  if (farthest <= kSafeCoordinate) return s;
  return ClipToSafeBox(s);
}

int Nearest(double coordinate) { return static_cast<int>(std::lround(coordinate)); }

SDL_Surface* CreateImage(int width, int height) {
  return CheckSdl(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888));
}

}  // namespace

void SoftwareSurface::ImageDeleter::operator()(SDL_Surface* image) const { SDL_FreeSurface(image); }
void SoftwareSurface::RendererDeleter::operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }

SoftwareSurface::SoftwareSurface(int width, int height, Colour background)
    : owned_(CreateImage(width, height)),
      target_(owned_.get()),
      renderer_(CheckSdl(SDL_CreateSoftwareRenderer(target_))),
      background_(background) {}

SoftwareSurface::SoftwareSurface(SDL_Surface* target, Colour background)
    : target_(target), renderer_(CheckSdl(SDL_CreateSoftwareRenderer(target_))), background_(background) {}

SoftwareSurface::~SoftwareSurface() = default;

void SoftwareSurface::SetDrawColour(Colour colour) {
  const Rgb rgb = Channels(colour);
  CheckSdl(SDL_SetRenderDrawColor(renderer_.get(), rgb.red, rgb.green, rgb.blue, SDL_ALPHA_OPAQUE));
}

void SoftwareSurface::Cls() {
  SetDrawColour(background_);
  CheckSdl(SDL_RenderClear(renderer_.get()));
}

void SoftwareSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const std::optional<Segment> segment = Drawable({x1, y1, x2, y2});
  if (!segment) return;
  SetDrawColour(colour);
  CheckSdl(SDL_RenderDrawLine(renderer_.get(), Nearest(segment->x1), Nearest(segment->y1), Nearest(segment->x2),
                              Nearest(segment->y2)));
}

void SoftwareSurface::Flush() { CheckSdl(SDL_RenderFlush(renderer_.get())); }

Rgb SoftwareSurface::Pixel(int x, int y) {
  Flush();
  if (target_->format->BytesPerPixel != 4 || x < 0 || y < 0 || x >= width() || y >= height()) {
    throw Error(ErrorKind::Host, "Pixel out of range");
  }
  const auto* row = static_cast<const Uint8*>(target_->pixels) + static_cast<ptrdiff_t>(y) * target_->pitch;
  Uint32 value;
  std::memcpy(&value, row + static_cast<ptrdiff_t>(x) * 4, sizeof value);
  Rgb rgb{};
  SDL_GetRGB(value, target_->format, &rgb.red, &rgb.green, &rgb.blue);
  return rgb;
}

int SoftwareSurface::width() const { return target_->w; }
int SoftwareSurface::height() const { return target_->h; }

}  // namespace runtime
