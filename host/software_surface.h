#pragma once

#include <optional>

#include "host/sdl_ptr.h"
#include "runtime/raster.h"
#include "runtime/surface.h"

struct SDL_Surface;

namespace host {

// A surface drawn straight into the 32-bit pixels of an SDL image.
class SoftwareSurface final : public runtime::Surface {
 public:
  static constexpr uint32_t kRgb888 = 0x16161804;  // SDL_PIXELFORMAT_RGB888

  // Draws into an image of its own, of 32-bit pixels in the format given
  // (SDL's), by default 8 bits a channel, red highest.
  SoftwareSurface(int width, int height, runtime::Colour background, uint32_t format = kRgb888);
  // Draws into an image owned by someone else, such as a window; its pixels
  // must be 32 bits wide.
  SoftwareSurface(SDL_Surface* target, runtime::Colour background);
  SoftwareSurface(const SoftwareSurface&) = delete;
  SoftwareSurface& operator=(const SoftwareSurface&) = delete;

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override;

  // Copies the part given of a surface of the same size, or the whole, in
  // this one's format; what was there counts as drawn over.
  void CopyFrom(const SoftwareSurface& other, const std::optional<runtime::raster::Rect>& part = std::nullopt);

  // Where the pixels may differ from when this was last asked: the tiles of
  // the lines drawn since, and of those the clears since have wiped out.
  runtime::raster::Tiles TakeChanges();

  runtime::Rgb Pixel(int x, int y) const;
  int width() const { return raster_.width; }
  int height() const { return raster_.height; }
  SDL_Surface* image() const { return target_; }
  const runtime::raster::Image& pixels() const { return raster_; }
  uint32_t backgroundPixel() const { return backgroundPixel_; }

 private:
  SoftwareSurface(SdlPtr<SDL_Surface> owned, runtime::Colour background);

  uint32_t PixelOf(runtime::Colour colour);

  SdlPtr<SDL_Surface> owned_;
  SDL_Surface* target_;
  runtime::raster::Image raster_;
  runtime::raster::Tiles drawn_;    // the tiles of the lines drawn since the last clear; all at first
  runtime::raster::Tiles cleared_;  // the tiles the clears since the last changes asked for wiped out
  uint32_t backgroundPixel_;
  // The last colour drawn and its pixel value, mapped only when it changes.
  runtime::Colour lastColour_;
  uint32_t lastPixel_;
};

// The pixels of an SDL image, which must be 32 bits wide.
runtime::raster::Image PixelsOf(SDL_Surface* image);

}  // namespace host
