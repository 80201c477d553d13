#pragma once

#include <memory>

#include "runtime/surface.h"

struct SDL_Surface;
struct SDL_Renderer;

namespace runtime {

// A surface drawn by SDL's software renderer into a 32-bit SDL image. Drawing
// is queued by the renderer; Flush completes it before the pixels are shown or
// read.
class SoftwareSurface final : public Surface {
 public:
  // Draws into an image of its own.
  SoftwareSurface(int width, int height, Colour background);
  // Draws into an image owned by someone else, such as a window.
  SoftwareSurface(SDL_Surface* target, Colour background);
  ~SoftwareSurface() override;
  SoftwareSurface(const SoftwareSurface&) = delete;
  SoftwareSurface& operator=(const SoftwareSurface&) = delete;

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;

  void Flush();
  Rgb Pixel(int x, int y);
  int width() const;
  int height() const;
  SDL_Surface* image() const { return target_; }

 private:
  struct ImageDeleter {
    void operator()(SDL_Surface* image) const;
  };
  struct RendererDeleter {
    void operator()(SDL_Renderer* renderer) const;
  };

  void SetDrawColour(Colour colour);

  // Declared before the renderer so that it outlives it.
  std::unique_ptr<SDL_Surface, ImageDeleter> owned_;
  SDL_Surface* target_;
  std::unique_ptr<SDL_Renderer, RendererDeleter> renderer_;
  Colour background_;
};

}  // namespace runtime
