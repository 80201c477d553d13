#pragma once

#include <cstdint>

#include "runtime/raster.h"

namespace runtime::raster {

// Where a picture shows in a larger frame: every pixel of the picture becomes
// a block of scale x scale pixels, the picture's top-left corner at (left, top).
struct Placement {
  int scale;
  int left;
  int top;

  friend bool operator==(const Placement&, const Placement&) = default;
};

// The largest whole enlargement that fits the frame, at least 1, centred;
// a frame smaller than the picture shows its middle.
Placement Fit(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// The largest whole enlargement the program offers: beyond it a window would
// not fit any screen.
inline constexpr int kLargestScale = 8;

// A desktop's scale as a whole enlargement: rounded to nearest, at least 1,
// at most kLargestScale.
int WholeScale(double desktopScale);

// Copies the picture into the frame as placed, and fills the rest of the frame
// with the background pixel. Both images hold pixels of the same format.
void Enlarge(const Image& picture, const Image& frame, const Placement& placement, uint32_t background);

}  // namespace runtime::raster
