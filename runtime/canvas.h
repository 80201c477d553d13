#pragma once

#include <optional>

#include "runtime/host.h"
#include "runtime/software_surface.h"

struct SDL_Window;

namespace runtime {

// The window's drawing surface. The form draws the picture at its own size:
// straight into the window's pixels where they have the picture's size and
// format, otherwise into an image of its own, shown enlarged to fit the
// window. While the window cannot be seen no tick runs; the first tick after
// it is seen again brings the angles up to the present before it draws.
class Canvas final : public Surface {
 public:
  Canvas(SDL_Window* window, const WindowSettings& settings);
  ~Canvas() override;
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, Colour colour) override;

  // Whether the window can be seen.
  bool Visible();

  // Runs the form's tick and shows its frame.
  void Tick(Form& form);

  // Shows the last frame drawn.
  void Present();

 private:
  struct ImageDeleter {
    void operator()(SDL_Surface* image) const;
  };

  SDL_Surface* WindowPixels();
  bool HasThePicturesShape(const SDL_Surface* screen) const;
  void Enlarge(SDL_Surface* screen);

  SDL_Window* window_;
  Colour background_;
  SoftwareSurface picture_;
  std::optional<SoftwareSurface> direct_;  // over the window's pixels
  std::unique_ptr<SDL_Surface, ImageDeleter> converted_;
  Surface* target_ = nullptr;  // where the tick draws; none for a tick that draws nothing
  bool stale_ = false;         // whether ticks were missed while the window could not be seen
};

}  // namespace runtime
