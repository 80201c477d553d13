#include "host/software_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "testing/pixels.h"

namespace {

using runtime::Rgb;

using pixels::kBlack;
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kTreeGreen{60, 128, 43};

TEST(SoftwareSurface, ClsFillsTheWholeAreaWithTheBackground) {
  const Rgb grey{7, 8, 9};
  host::SoftwareSurface surface(20, 10, runtime::ColourOf(grey));
  surface.Line(0, 0, 19, 9, 0xFF);
  surface.Cls();
  EXPECT_EQ(pixels::Count(surface, grey), 200);
}

TEST(SoftwareSurface, LineReadsTheColourValueAsRedGreenBlueFromTheLowByte) {
  host::SoftwareSurface surface(8, 8, 0);
  surface.Cls();
  surface.Line(1, 1, 1, 1, 0x2B803C);
  EXPECT_EQ(surface.Pixel(1, 1), kTreeGreen);
}

struct LineCase {
  const char* name;
  float x1, y1, x2, y2;
  int expectedPixels;
  int probeX, probeY;  // a pixel the segment must cover
};

TEST(SoftwareSurface, LinesIncludeBothEndsAndAreClippedToTheArea) {
  const LineCase cases[] = {
      {"horizontal, both ends in", 2, 3, 11, 3, 10, 11, 3},
      {"vertical, rounded to the nearest pixel", 4.4f, 0.6f, 3.6f, 5.4f, 5, 4, 1},
      {"diagonal", 0, 0, 15, 15, 16, 15, 15},
      {"single point", 5, 5, 5, 5, 1, 5, 5},
      {"leaves through the left edge", 3, 2, -40, 2, 4, 0, 2},
      {"crosses the whole area", -100, 7, 100, 7, 16, 15, 7},
      {"far beyond the area", -1e7f, 9, 1e7f, 9, 16, 8, 9},
      {"steep and far beyond the area", 8.25f, -4e6f, 8.75f, 4e6f, 16, 8, 15},
      {"entirely outside", 20, 20, 40, 25, 0, -1, -1},
      {"not a number", std::nanf(""), 1, 5, 1, 0, -1, -1},
      {"infinite", 2, 2, std::numeric_limits<float>::infinity(), 2, 0, -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    host::SoftwareSurface surface(16, 16, 0);
    surface.Cls();
    surface.Line(c.x1, c.y1, c.x2, c.y2, 0xFF);
    EXPECT_EQ(pixels::Count(surface, kRed), c.expectedPixels);
    if (c.probeX >= 0) {
      EXPECT_EQ(surface.Pixel(c.probeX, c.probeY), kRed);
    }
  }
}

TEST(SoftwareSurface, EndsAtTheLimitsOfSinglePrecisionAreDrawnSafely) {
  constexpr float kLargest = std::numeric_limits<float>::max();
  host::SoftwareSurface surface(16, 16, 0);
  surface.Cls();
  surface.Line(-kLargest, -kLargest, kLargest, kLargest, 0xFF);
  surface.Line(-kLargest, 3, kLargest, 3, 0xFF);
  surface.Line(kLargest, kLargest, kLargest, -kLargest, 0xFF);
  EXPECT_LE(pixels::Count(surface, kRed), 32);
}

TEST(SoftwareSurface, LaterDrawingPaintsOverEarlierDrawing) {
  host::SoftwareSurface surface(8, 8, 0);
  surface.Cls();
  surface.Line(0, 4, 7, 4, 0xFF);
  surface.Line(3, 0, 3, 7, runtime::ColourOf(kTreeGreen));
  EXPECT_EQ(surface.Pixel(3, 4), kTreeGreen);
  EXPECT_EQ(surface.Pixel(2, 4), kRed);
  EXPECT_EQ(surface.Pixel(3, 3), kTreeGreen);
  EXPECT_EQ(surface.Pixel(0, 0), kBlack);
}

}  // namespace
