#include "runtime/enlarge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using runtime::Placement;

TEST(Enlarge, EachFramePixelComesFromItsPictureBlockOrTheBackground) {
  constexpr int kPictureWidth = 5, kPictureHeight = 4, kFrameWidth = 17, kFrameHeight = 13;
  constexpr ptrdiff_t kStride = 19;
  constexpr uint32_t kBackground = 0xB0B0B0, kPadding = 0xDDDDDD;
  std::vector<uint32_t> picture(size_t{kPictureWidth} * kPictureHeight);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint32_t>(i + 1);
  const Placement placements[] = {
      {1, 0, 0}, {1, 6, 5}, {2, 0, 0}, {3, 1, 0}, {3, 2, 1}, {2, -3, -1}, {4, -5, -6}, {5, 20, 0}, {3, 0, 13},
  };
  for (const auto& p : placements) {
    SCOPED_TRACE(testing::Message() << "scale " << p.scale << " at " << p.left << ", " << p.top);
    std::vector<uint32_t> frame(size_t{kStride} * kFrameHeight, kPadding);
    runtime::raster::Enlarge({picture.data(), kPictureWidth, kPictureWidth, kPictureHeight},
                             {frame.data(), kStride, kFrameWidth, kFrameHeight}, p, kBackground);
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < kStride; ++x) {
        const int px = static_cast<int>(std::floor((x - p.left) / double(p.scale)));
        const int py = static_cast<int>(std::floor((y - p.top) / double(p.scale)));
        const bool inPicture = px >= 0 && px < kPictureWidth && py >= 0 && py < kPictureHeight;
        const int index = py * kPictureWidth + px;
        const uint32_t expected = x >= kFrameWidth ? kPadding
                                  : inPicture      ? picture[static_cast<size_t>(index)]
                                                   : kBackground;
        ASSERT_EQ(frame[static_cast<size_t>(y * kStride + x)], expected) << "at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
