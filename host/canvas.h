#pragma once

#include <optional>

#include "host/form.h"
#include "host/screen.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"

namespace host {

// The window's drawing surface. The form draws the picture at its own size:
// straight into the window's pixels where they have the picture's size and
// format, otherwise into an image of its own, shown enlarged to fit the
// window. After a tick only the parts of the picture that changed are
// copied and shown; the whole window is shown at first, when its pixels
// change and when asked. While the window cannot be seen no tick runs; the
// first tick after it is seen again brings the angles up to the present
// before it draws.
class Canvas final : public runtime::Surface {
 public:
  Canvas(Screen& screen, const WindowSettings& settings);

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override;

  // Whether the window can be seen.
  bool Visible();

  // Runs the form's tick and shows what changed in its frame.
  void Tick(Form& form);

  // Shows the whole of the last frame drawn, and what is around it.
  void Present();

 private:
  void Show(SDL_Surface* pixels, bool whole);
  void FollowFormat(const SDL_Surface* pixels);
  bool HasThePicturesShape(const SDL_Surface* pixels) const;
  void EnlargeWhole(SDL_Surface* pixels);
  void ShowChanges(SDL_Surface* pixels);

  Screen& screen_;
  runtime::Colour background_;
  std::optional<SoftwareSurface> picture_;  // in the format of the window's pixels, where that can be
  std::optional<SoftwareSurface> direct_;   // over the window's pixels
  SdlPtr<SDL_Surface> converted_;
  runtime::Surface* target_ = nullptr;  // where the tick draws; none for a tick that draws nothing
  bool stale_ = false;                  // whether ticks were missed while the window could not be seen
  const void* shownPixels_ = nullptr;   // the window's pixels as last shown whole
};

}  // namespace host
