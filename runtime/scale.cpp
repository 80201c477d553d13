#include "runtime/scale.h"

#include <algorithm>
#include <cmath>

namespace runtime {

Placement Fit(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight) {
  const int scale = std::min(frameWidth / pictureWidth, frameHeight / pictureHeight);
  if (scale >= 1) return {scale, (frameWidth - pictureWidth * scale) / 2, (frameHeight - pictureHeight * scale) / 2};
  int reduction = 2;
  while (Reduced(pictureWidth, reduction) > std::max(frameWidth, 1) ||
         Reduced(pictureHeight, reduction) > std::max(frameHeight, 1)) {
    ++reduction;
  }
  return {1, (frameWidth - Reduced(pictureWidth, reduction)) / 2, (frameHeight - Reduced(pictureHeight, reduction)) / 2,
          reduction};
}

int WholeScale(double desktopScale) {
  if (!(desktopScale >= 1.5)) return 1;  // not a number too
  return desktopScale >= kLargestScale ? kLargestScale : static_cast<int>(std::lround(desktopScale));
}

}  // namespace runtime
