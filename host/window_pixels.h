#pragma once

#include "host/presenter.h"
#include "host/screen.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"
#include "runtime/scale.h"

struct SDL_Surface;

namespace host {

// Draws straight into the window's pixels, which have the picture's size and
// format: showing costs only the window system's copy, for which one
// rectangle around the changes costs less than many. The last frame goes
// into the picture too, which outlives the window's pixels, so that new
// pixels start with it, as a still one must: where the window keeps its
// pixels until they are next asked for, once, as they are given up; where
// it may make them again unasked, a copy of what changed at every show.
class InPlace final : public Presenter {
 public:
  InPlace(Screen& screen, SDL_Surface* pixels, SoftwareSurface& picture, runtime::Colour background);

  runtime::Surface& surface() override { return drawn_; }
  void KeepLastFrame() override;

 private:
  void ShowWhole() override;
  void ShowChanges() override;

  Screen& screen_;
  SoftwareSurface drawn_;
  SoftwareSurface& picture_;
  bool copiesEachShow_;  // whether the window's pixels may go unasked
};

// Draws into the picture, an image of the canvas's own, and copies it into
// the window's pixels enlarged to fit, or reduced where they are smaller:
// only the runs of tiles that changed where enlarged, the whole where
// reduced. Where the window's pixels have another format, the picture goes
// through an image of the window's size in the picture's format first.
class Enlarged final : public Presenter {
 public:
  Enlarged(Screen& screen, SDL_Surface* pixels, SoftwareSurface& picture);

  runtime::Surface& surface() override { return picture_; }

 private:
  void ShowWhole() override;
  void ShowChanges() override;

  Screen& screen_;
  SDL_Surface* pixels_;
  SoftwareSurface& picture_;
  runtime::Placement placement_;
  SdlPtr<SDL_Surface> converted_;  // none where the formats are the same
};

}  // namespace host
