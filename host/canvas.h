#pragma once

#include <memory>
#include <optional>

#include "host/form.h"
#include "host/presenter.h"
#include "host/screen.h"
#include "host/software_surface.h"

namespace host {

// The window's drawing surface. The form draws the picture at its own size,
// and a presenter shows it: the window system's own where it has one, else
// in the window's pixels, drawn there in place where they have the
// picture's size and format, or enlarged or reduced from an image of the
// canvas's own. The presenter is chosen afresh each
// time the window's pixels may have been made again. While the window
// cannot be seen no tick runs; the first tick after it was hidden brings
// the angles up to the present before it draws.
class Canvas final : public runtime::Surface {
 public:
  Canvas(Screen& screen, const WindowSettings& settings);

  void Cls() override;
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override;

  // Whether the window can be seen.
  bool Visible() { return screen_.Visible(); }

  // The window was hidden: the ticks until it is seen again are missed.
  void Hidden() { behind_ = true; }

  // The window's pixels may have been made again, as when its size changed.
  void NewPixels();

  // Runs the form's tick, if the window can be seen, and shows what changed.
  void Tick(Form& form);

  // Shows the whole of the last frame drawn, and what is around it.
  void Present();

  // Shows a frame at the present angles, whether or not the window can be
  // seen, as a still picture: the ticks after it are missed until the
  // window moves again.
  void Still(Form& form);

 private:
  // A frame is drawn with the angles of the tick before it: a tick that
  // draws nothing brings them up to the present.
  void CatchUp(Form& form);
  void Draw(Form& form);
  void RunTick(Form& form, runtime::Surface* target);
  Presenter& CurrentPresenter();
  void FollowFormat(const SDL_Surface* pixels);

  Screen& screen_;
  runtime::Colour background_;
  std::optional<SoftwareSurface> picture_;  // in the format of the window's pixels, where that can be
  std::unique_ptr<Presenter> presenter_;    // none until the window's pixels are next needed
  runtime::Surface* drawing_ = nullptr;     // where a running tick draws; none outside ticks and to catch up
  bool behind_ = false;                     // whether ticks were missed while the window was hidden
};

}  // namespace host
