#pragma once

#include <memory>

#include "runtime/raster.h"
#include "runtime/surface.h"

struct SDL_Surface;

namespace runtime {

// A surface drawn straight into the 32-bit pixels of an SDL image.
class SoftwareSurface final : public Surface {
 public:
  // Draws into an image of its own.
  SoftwareSurface(int width, int height, Colour background);
  // Draws into an image owned by someone else, such as a window; its pixels
  // must be 32 bits wide.
  SoftwareSurface(SDL_Surface* target, Colour background);
  ~SoftwareSurface() override;
  SoftwareSurface(const SoftwareSurface&) = delete;
  SoftwareSurface& operator=(const SoftwareSurface&) = delete;

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;

  Rgb Pixel(int x, int y) const;
  int width() const { return raster_.width; }
  int height() const { return raster_.height; }
  SDL_Surface* image() const { return target_; }
  const raster::Image& pixels() const { return raster_; }
  uint32_t backgroundPixel() const { return backgroundPixel_; }

 private:
  struct ImageDeleter {
    void operator()(SDL_Surface* image) const;
  };

  uint32_t PixelOf(Colour colour);

  std::unique_ptr<SDL_Surface, ImageDeleter> owned_;
  SDL_Surface* target_;
  raster::Image raster_;
  uint32_t backgroundPixel_;
  // The last colour drawn and its pixel value, mapped only when it changes.
  Colour lastColour_;
  uint32_t lastPixel_;
};

// The pixels of an SDL image, which must be 32 bits wide.
raster::Image PixelsOf(SDL_Surface* image);

}  // namespace runtime
