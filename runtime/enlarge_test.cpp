#include "runtime/enlarge.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using runtime::raster::Placement;

TEST(Enlarge, FitTakesTheLargestWholeScaleThatFitsCentred) {
  struct Case {
    int width, height;
    Placement placement;
  };
  const Case cases[] = {
      {342, 366, {1, 0, 0}},       {684, 732, {2, 0, 0}},     {1026, 1098, {3, 0, 0}},     {1000, 800, {2, 158, 34}},
      {1920, 1080, {2, 618, 174}}, {683, 732, {1, 170, 183}}, {100, 100, {1, -121, -133}}, {0, 0, {1, -171, -183}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(runtime::raster::Fit(342, 366, c.width, c.height), c.placement) << c.width << " x " << c.height;
  }
}

TEST(Enlarge, DesktopScaleRoundsToAWholeScaleFromOneToTheLargest) {
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  const std::pair<double, int> cases[] = {{-2, 1},  {0, 1},   {1, 1}, {1.25, 1}, {1.5, 2},  {2, 2},
                                          {2.4, 2}, {3.6, 4}, {8, 8}, {100, 8},  {kNaN, 1}, {kInf, 8}};
  for (const auto& [desktop, whole] : cases) EXPECT_EQ(runtime::raster::WholeScale(desktop), whole) << desktop;
}

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
