#pragma once

namespace runtime {

// How large the picture shows in a frame, its top-left corner at (left, top):
// every pixel of it a block of scale x scale pixels of the frame; or, in a
// frame smaller than the picture, every block of reduction x reduction
// pixels of it one pixel of the frame.
struct Placement {
  int scale;
  int left;
  int top;
  int reduction = 1;

  friend bool operator==(const Placement&, const Placement&) = default;
};

// The largest whole enlargement the program offers: beyond it a window would
// not fit any screen.
inline constexpr int kLargestScale = 8;

// The largest whole enlargement that fits the frame, centred; in a frame
// smaller than the picture, the smallest whole reduction that fits, so that
// the whole picture always shows.
Placement Fit(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// How many pixels a length of the picture keeps when reduced: blocks cut
// short at the edge count whole.
constexpr int Reduced(int length, int reduction) { return (length + reduction - 1) / reduction; }

// The resolution of an unscaled desktop, in dots per inch: a desktop's scale
// is its resolution over this.
inline constexpr double kUnscaledDpi = 96;

// A desktop's scale as a whole enlargement: rounded to nearest, at least 1,
// at most kLargestScale.
int WholeScale(double desktopScale);

}  // namespace runtime
