#pragma once

#include <optional>

#include "host/screen.h"
#include "host/sdl_ptr.h"
#include "host/software_surface.h"
#include "runtime/scale.h"

struct SDL_Surface;

namespace host {

// One way of showing the frames drawn, made for the window's pixels as they
// are and dropped once the window may have made them again. A presenter
// shows the whole at first, since the window's new pixels hold nothing of
// the frames shown before; after that, only what changed, unless asked.
class Presenter {
 public:
  virtual ~Presenter() = default;

  // Where the ticks draw.
  virtual runtime::Surface& surface() = 0;

  // Shows the last frame drawn: what changed since the last show, or the
  // whole and what is around it.
  void Show(bool whole = false) {
    if (whole || !shownWhole_) {
      ShowWhole();
      shownWhole_ = true;
    } else {
      ShowChanges();
    }
  }

 protected:
  virtual void ShowWhole() = 0;
  virtual void ShowChanges() = 0;

 private:
  bool shownWhole_ = false;
};

// Draws straight into the window's pixels, which have the picture's size and
// format: showing costs only the window system's copy, for which one
// rectangle around the changes costs less than many.
class InPlace final : public Presenter {
 public:
  InPlace(Screen& screen, SDL_Surface* pixels, runtime::Colour background);

  runtime::Surface& surface() override { return drawn_; }

 private:
  void ShowWhole() override;
  void ShowChanges() override;

  Screen& screen_;
  SoftwareSurface drawn_;
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
