#pragma once

namespace runtime {

// How large the picture shows: every pixel of it a block of scale x scale
// pixels of a larger frame, its top-left corner at (left, top).
struct Placement {
  int scale;
  int left;
  int top;

  friend bool operator==(const Placement&, const Placement&) = default;
};

// The largest whole enlargement the program offers: beyond it a window would
// not fit any screen.
inline constexpr int kLargestScale = 8;

// The largest whole enlargement that fits the frame, at least 1, centred;
// a frame smaller than the picture shows its middle.
Placement Fit(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// A desktop's scale as a whole enlargement: rounded to nearest, at least 1,
// at most kLargestScale.
int WholeScale(double desktopScale);

}  // namespace runtime
