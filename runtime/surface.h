#pragma once

#include "runtime/colour.h"

namespace runtime {

// A drawing surface in pixels: origin at the top-left corner, x to the right,
// y downwards. Drawing outside the area is clipped; later drawing paints over
// earlier drawing. A failure of the underlying toolkit raises a host error.
// The real ones are host/software_surface.h and the window's host/canvas.h;
// testing/fakes.h records what is drawn.
class Surface {
 public:
  virtual ~Surface() = default;

  // Fills the whole area with the background colour.
  virtual void Cls() = 0;

  // Draws a one-pixel segment from (x1, y1) to (x2, y2), both ends included.
  virtual void Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
};

}  // namespace runtime
