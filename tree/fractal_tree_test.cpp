#include "tree/fractal_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <utility>

#include "host/software_surface.h"
#include "testing/fakes.h"
#include "testing/pixels.h"

namespace {

using fakes::DrawnLine;
using runtime::Rgb;

constexpr int kWidth = 342;
constexpr int kHeight = 366;
constexpr int kSegmentsPerTree = 363;

void DrawRoot(runtime::Surface& surface, float tilt, float spread) {
  tree::FractalTree(surface, tilt, spread).DrawWhole();
}

// Checks the drawing of the node whose segment is lines[pos], knowing its
// depth, colour shift and direction, and returns the position after it.
size_t ExpectNode(const std::vector<DrawnLine>& lines, size_t pos, int depth, int cornered, double degree, float tilt,
                  float spread) {
  if (depth == 5) return pos;
  const DrawnLine node = lines.at(pos);
  const double length = 70 - 5 * depth;
  const double radians = degree / 180 * 3.1415;
  EXPECT_NEAR(node.x2 - node.x1, -std::sin(radians) * length, 1e-3);
  EXPECT_NEAR(node.y2 - node.y1, std::cos(radians) * length, 1e-3);
  EXPECT_EQ(runtime::Channels(node.colour), (Rgb{static_cast<uint8_t>(60 * depth), 128, uint8_t(1 + 21 * cornered)}));
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_EQ(lines.at(pos), node) << "the node's segment is drawn before each subtree";
    ++pos;
    if (depth < 4) {
      EXPECT_EQ(lines.at(pos).x1, node.x2);
      EXPECT_EQ(lines.at(pos).y1, node.y2);
    }
    pos = ExpectNode(lines, pos, depth + 1, cornered + pass, degree - tilt + pass * double{spread}, tilt, spread);
  }
  return pos;
}

TEST(FractalTree, RootCallDrawsEveryNodeBeforeEachOfItsSubtrees) {
  fakes::RecordingSurface surface;
  DrawRoot(surface, 5, 25);

  ASSERT_EQ(surface.lines.size(), kSegmentsPerTree);
  EXPECT_EQ(std::set<DrawnLine>(surface.lines.begin(), surface.lines.end()).size(), 121u);
  EXPECT_EQ(surface.lines.front(), (DrawnLine{100, 300, 99.993515f, 230.0f, 98304}));
  EXPECT_EQ(ExpectNode(surface.lines, 0, 0, 0, 180, 5, 25), surface.lines.size());
}

TEST(FractalTree, CallAtTheLeafDepthDrawsNothing) {
  fakes::RecordingSurface surface;
  tree::FractalTree(surface, 5, 25).DoIt(tree::kTrunkX, tree::kTrunkY, tree::kUp, 5, 0);
  EXPECT_TRUE(surface.lines.empty());
}

TEST(FractalTree, FirstFrameIsOneVerticalLineInTheLastPathsColours) {
  host::SoftwareSurface surface(kWidth, kHeight, 0);
  surface.Cls();
  DrawRoot(surface, 0, 0);

  // Each level's top pixel belongs to the level above it, which is drawn later.
  struct Level {
    int top, bottom;
    Rgb colour;
  };
  const Level levels[] = {
      {231, 300, {0, 128, 1}},    {166, 230, {60, 128, 43}}, {106, 165, {120, 128, 85}},
      {51, 105, {180, 128, 127}}, {0, 50, {240, 128, 169}},
  };
  int treePixels = 0;
  for (const auto& level : levels) {
    for (int y = level.top; y <= level.bottom; ++y) {
      ASSERT_EQ(surface.Pixel(100, y), level.colour) << "y = " << y;
      ++treePixels;
    }
  }
  EXPECT_EQ(pixels::CountTreePixels(surface), treePixels);
}

TEST(FractalTree, SwayingFrameUsesOnlyTheTreePalette) {
  host::SoftwareSurface surface(kWidth, kHeight, 0);
  surface.Cls();
  DrawRoot(surface, 5, 25);

  EXPECT_GT(pixels::CountTreePixels(surface), 1500);
}

struct ErrorCase {
  const char* name;
  float tilt, spread;
  float degree;
  int32_t cornered;
  int failAfter;
  runtime::ErrorKind kind;
  size_t linesKept;
};

TEST(FractalTree, ErrorsEndTheWholeRecursionAndKeepWhatWasDrawn) {
  const float inf = std::numeric_limits<float>::infinity();
  const ErrorCase cases[] = {
      // 1560 corners still fit the colour; the first branch to take another does not.
      {"colour overflows", 5, 25, 180, 1560, -1, runtime::ErrorKind::Overflow, 8},
      {"colour overflows at the root", 5, 25, 180, 1561, -1, runtime::ErrorKind::Overflow, 0},
      {"tilt not a number", std::nanf(""), 25, 180, 0, -1, runtime::ErrorKind::FloatingPoint, 1},
      {"spread infinite", 5, inf, 180, 0, -1, runtime::ErrorKind::FloatingPoint, 1},
      {"direction infinite", 5, 25, -inf, 0, -1, runtime::ErrorKind::FloatingPoint, 0},
      // The first branches keep the direction; the first second branch overflows it.
      {"sibling direction too large for single", 0, std::numeric_limits<float>::max(), 3e38f, 0, -1,
       runtime::ErrorKind::FloatingPoint, 6},
      {"drawing fails", 5, 25, 180, 0, 10, runtime::ErrorKind::Host, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fakes::RecordingSurface surface;
    surface.failAfter = c.failAfter;
    tree::FractalTree tree(surface, c.tilt, c.spread);
    try {
      tree.DoIt(tree::kTrunkX, tree::kTrunkY, c.degree, 0, c.cornered);
      ADD_FAILURE() << "no error";
    } catch (const runtime::Error& error) {
      EXPECT_EQ(error.kind(), c.kind);
    }
    EXPECT_EQ(surface.lines.size(), c.linesKept);
  }
}

TEST(FractalTree, HostileAnglesDrawTheWholeTreeOrRaiseAFloatingPointError) {
  constexpr float kLargest = std::numeric_limits<float>::max();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const float extremes[] = {
      std::nanf(""), kInf, -kInf, kLargest, -kLargest, 1e30f, std::numeric_limits<float>::denorm_min(), -0.0f, 25};
  std::vector<std::pair<float, float>> angles;
  for (float tilt : extremes) {
    for (float spread : extremes) angles.emplace_back(tilt, spread);
  }
  std::mt19937 generator(2024);
  std::uniform_real_distribution<float> exponent(-40, 38);
  const auto wide = [&] { return (generator() % 2 ? 1.0f : -1.0f) * std::pow(10.0f, exponent(generator)); };
  for (int i = 0; i < 1000; ++i) angles.emplace_back(wide(), wide());

  host::SoftwareSurface real(kWidth, kHeight, 0);
  for (const auto& [tilt, spread] : angles) {
    SCOPED_TRACE(testing::Message() << "tilt " << tilt << ", spread " << spread);
    fakes::RecordingSurface recording;
    try {
      DrawRoot(recording, tilt, spread);
      EXPECT_EQ(recording.lines.size(), kSegmentsPerTree);
    } catch (const runtime::Error& error) {
      EXPECT_EQ(error.kind(), runtime::ErrorKind::FloatingPoint);
    }
    for (const auto& line : recording.lines) real.Line(line.x1, line.y1, line.x2, line.y2, line.colour);
  }
}

}  // namespace
