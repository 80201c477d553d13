#include "runtime/enlarge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using runtime::Placement;

// The sum of a pixel's channels.
int Brightness(uint32_t pixel) { return static_cast<int>((pixel & 0xFF) + (pixel >> 8 & 0xFF) + (pixel >> 16 & 0xFF)); }

TEST(Enlarge, EachFramePixelComesFromItsPictureBlockOrTheBackground) {
  constexpr int kPictureWidth = 5, kPictureHeight = 4, kFrameWidth = 17, kFrameHeight = 13;
  constexpr ptrdiff_t kStride = 19;
  constexpr uint32_t kBackground = 0xB0B0B0, kPadding = 0xDDDDDD;
  // Brightness and value do not rise together: a reduction must keep the brightest.
  std::vector<uint32_t> picture(size_t{kPictureWidth} * kPictureHeight);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<uint32_t>((i * 7) % 20 + 1) << (8 * (i % 3));
  const Placement placements[] = {
      {1, 0, 0},   {1, 6, 5},  {2, 0, 0},  {3, 1, 0},    {3, 2, 1},    {2, -3, -1},
      {4, -5, -6}, {5, 20, 0}, {3, 0, 13}, {1, 0, 0, 2}, {1, 4, 3, 3}, {1, 16, 12, 5},
  };
  const auto at = [&](int x, int y) {
    return picture[static_cast<size_t>(y) * kPictureWidth + static_cast<size_t>(x)];
  };
  for (const auto& p : placements) {
    SCOPED_TRACE(testing::Message() << "scale " << p.scale << " at " << p.left << ", " << p.top << ", reduced "
                                    << p.reduction);
    std::vector<uint32_t> frame(size_t{kStride} * kFrameHeight, kPadding);
    runtime::raster::Enlarge({picture.data(), kPictureWidth, kPictureWidth, kPictureHeight},
                             {frame.data(), kStride, kFrameWidth, kFrameHeight}, p, kBackground);
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < kStride; ++x) {
        // The block of picture pixels behind the frame pixel, if any.
        const int bx = static_cast<int>(std::floor((x - p.left) / double(p.scale))) * p.reduction;
        const int by = static_cast<int>(std::floor((y - p.top) / double(p.scale))) * p.reduction;
        uint32_t expected = x >= kFrameWidth ? kPadding : kBackground;
        if (x < kFrameWidth && bx >= 0 && bx < kPictureWidth && by >= 0 && by < kPictureHeight) {
          expected = at(bx, by);
          for (int py = by; py < std::min(by + p.reduction, kPictureHeight); ++py) {
            for (int px = bx; px < std::min(bx + p.reduction, kPictureWidth); ++px) {
              const uint32_t pixel = at(px, py);
              if (Brightness(pixel) > Brightness(expected)) expected = pixel;
            }
          }
        }
        ASSERT_EQ(frame[static_cast<size_t>(y * kStride + x)], expected) << "at " << x << ", " << y;
      }
    }
    if (p.reduction > 1) continue;

    // A part alone: the same pixels where it shows, the frame untouched elsewhere.
    const runtime::raster::Rect part{1, 1, 3, 2};
    std::vector<uint32_t> parted(size_t{kStride} * kFrameHeight, kPadding);
    const runtime::raster::Rect written =
        runtime::raster::EnlargePart({picture.data(), kPictureWidth, kPictureWidth, kPictureHeight},
                                     {parted.data(), kStride, kFrameWidth, kFrameHeight}, p, part);
    const int left = std::max(p.left + part.x * p.scale, 0), top = std::max(p.top + part.y * p.scale, 0);
    const int right = std::min(p.left + (part.x + part.width) * p.scale, kFrameWidth);
    const int bottom = std::min(p.top + (part.y + part.height) * p.scale, kFrameHeight);
    if (left < right && top < bottom) {
      EXPECT_EQ(written, (runtime::raster::Rect{left, top, right - left, bottom - top}));
    } else {
      EXPECT_EQ(written.width * written.height, 0);
    }
    for (int y = 0; y < kFrameHeight; ++y) {
      for (int x = 0; x < kStride; ++x) {
        const bool inside = x >= left && x < right && y >= top && y < bottom;
        const size_t at = static_cast<size_t>(y * kStride + x);
        ASSERT_EQ(parted[at], inside ? frame[at] : kPadding) << "part, at " << x << ", " << y;
      }
    }
  }
}

}  // namespace
