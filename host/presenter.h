#pragma once

#include "runtime/surface.h"

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

  // The window's pixels are about to be made again: leaves the last frame
  // drawn in the picture, where it is not there already.
  virtual void KeepLastFrame() {}

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

}  // namespace host
