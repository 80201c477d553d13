#include "host/software_surface.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "host/sdl_check.h"
#include "runtime/error.h"

namespace host {

using runtime::Colour;
using runtime::Error;
using runtime::ErrorKind;
using runtime::Rgb;
namespace raster = runtime::raster;

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
  if (!keep(-dx, s.x1 + limit) || !keep(dx, limit - s.x1) || !keep(-dy, s.y1 + limit) || !keep(dy, limit - s.y1)) {
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

int Nearest(double coordinate) { return static_cast<int>(coordinate + (coordinate < 0 ? -0.5 : 0.5)); }

SDL_Surface* CreateImage(int width, int height, uint32_t format) {
  return CheckSdl("cannot create an image to draw on",
                  [&] { return SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format); });
}

uint32_t MapPixel(const SDL_Surface* image, Colour colour) {
  const Rgb rgb = runtime::Channels(colour);
  return SDL_MapRGB(image->format, rgb.red, rgb.green, rgb.blue);
}

}  // namespace

raster::Image PixelsOf(SDL_Surface* image) {
  if (image->format->BytesPerPixel != sizeof(uint32_t)) {
    throw Error(ErrorKind::Host, "the drawing surface needs 32-bit pixels");
  }
  return {static_cast<uint32_t*>(image->pixels), image->pitch / static_cast<int>(sizeof(uint32_t)), image->w, image->h};
}

static_assert(SoftwareSurface::kRgb888 == SDL_PIXELFORMAT_RGB888);

SoftwareSurface::SoftwareSurface(int width, int height, Colour background, uint32_t format)
    : SoftwareSurface(SdlPtr<SDL_Surface>(CreateImage(width, height, format)), background) {}

SoftwareSurface::SoftwareSurface(SdlPtr<SDL_Surface> owned, Colour background)
    : SoftwareSurface(owned.get(), background) {
  owned_ = std::move(owned);
}

SoftwareSurface::SoftwareSurface(SDL_Surface* target, Colour background)
    : target_(target),
      raster_(PixelsOf(target_)),
      drawn_(raster_.width, raster_.height, true),
      cleared_(raster_.width, raster_.height),
      backgroundPixel_(MapPixel(target_, background)),
      lastColour_(background),
      lastPixel_(backgroundPixel_) {
  // Copied from, the image replaces what it is copied over, as a copy should:
  // an image with an alpha channel would otherwise be blended pixel by pixel.
  CheckSdl("cannot make the image copy as it is", [&] { return SDL_SetSurfaceBlendMode(target_, SDL_BLENDMODE_NONE); });
}

uint32_t SoftwareSurface::PixelOf(Colour colour) {
  if (colour != lastColour_) {
    lastColour_ = colour;
    lastPixel_ = MapPixel(target_, colour);
  }
  return lastPixel_;
}

// Only the tiles drawn on since the last clear hold anything but the
// background, so only they are filled; all of them at first, when the
// pixels are not known. A plain fill of the rows: many times faster than
// SDL's own fill. A pixel of four equal bytes, such as black, fills as bytes.
void SoftwareSurface::Cls() {
  const uint32_t pixel = backgroundPixel_;
  const bool bytes = pixel == (pixel & 0xFF) * 0x01010101u;
  for (const raster::Rect& run : drawn_.Runs()) {
    for (int y = run.y; y < run.y + run.height; ++y) {
      uint32_t* row = raster_.pixels + y * raster_.stride + run.x;
      if (bytes) {
        std::memset(row, static_cast<int>(pixel & 0xFF), static_cast<size_t>(run.width) * sizeof pixel);
      } else {
        std::fill_n(row, run.width, pixel);
      }
    }
  }
  cleared_.Add(drawn_);
  drawn_.Clear();
}

void SoftwareSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const std::optional<Segment> segment = Drawable({x1, y1, x2, y2});
  if (!segment) return;
  raster::DrawLine(raster_, Nearest(segment->x1), Nearest(segment->y1), Nearest(segment->x2), Nearest(segment->y2),
                   PixelOf(colour), &drawn_);
}

void SoftwareSurface::CopyFrom(const SoftwareSurface& other, const std::optional<raster::Rect>& part) {
  SDL_Rect from = part ? SDL_Rect{part->x, part->y, part->width, part->height} : SDL_Rect{0, 0, width(), height()};
  SDL_Rect into = from;
  CheckSdl("cannot copy the picture", [&] { return SDL_BlitSurface(other.image(), &from, target_, &into); });
  drawn_.MarkAll();
}

raster::Tiles SoftwareSurface::TakeChanges() {
  raster::Tiles changes = cleared_;
  changes.Add(drawn_);
  cleared_.Clear();
  return changes;
}

Rgb SoftwareSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width() || y >= height()) throw Error(ErrorKind::Host, "pixel out of range");
  Rgb rgb{};
  SDL_GetRGB(raster_.pixels[y * raster_.stride + x], target_->format, &rgb.red, &rgb.green, &rgb.blue);
  return rgb;
}

}  // namespace host
