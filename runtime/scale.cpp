#include "runtime/scale.h"

#include <algorithm>
#include <cmath>

namespace runtime {

Placement Fit(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight) {
  const int scale = std::max(1, std::min(frameWidth / pictureWidth, frameHeight / pictureHeight));
  return {scale, (frameWidth - pictureWidth * scale) / 2, (frameHeight - pictureHeight * scale) / 2};
}

int WholeScale(double desktopScale) {
  if (!(desktopScale >= 1.5)) return 1;  // not a number too
  return desktopScale >= kLargestScale ? kLargestScale : static_cast<int>(std::lround(desktopScale));
}

}  // namespace runtime
