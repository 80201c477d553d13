#include "tree/fractal_tree.h"

#include <cmath>

#include "runtime/checked.h"

namespace tree {
namespace {

// Shape.
constexpr int32_t kLeafDepth = 5;  // nodes at this depth draw nothing
constexpr int16_t kBranches = 3;
constexpr int32_t kTrunkLength = 70;
constexpr int32_t kShorteningPerLevel = 5;
constexpr double kDegreesPerTurn = 360.0;
// The tree's own value of pi: its directions are scaled by 3.1415 / pi, and
// the picture depends on it.
constexpr double kPi = 3.1415;

// Colour: red grows by 60 a level, blue by 21 for each corner taken, green stays 128.
constexpr int32_t kRedPerLevel = 60;
constexpr int32_t kBluePerCorner = 21 << 16;
constexpr int32_t kBaseColour = 128 << 8 | 1 << 16;

double Radians(float degree) {
  const double turns = checked::Divide(degree, kDegreesPerTurn);
  return checked::Step(checked::Step(turns * 2) * kPi);
}

}  // namespace

void FractalTree::DoIt(float x, float y, float degree, int32_t depth, int32_t cornered) {
  if (depth == kLeafDepth) return;

  const double theta = Radians(degree);
  const int32_t length = checked::Sub(kTrunkLength, checked::Mul(kShorteningPerLevel, depth));
  const float newx = checked::Single(-std::sin(theta) * length + x);
  const float newy = checked::Single(length * std::cos(theta) + y);
  const runtime::Colour colour = checked::Add(
      checked::Add(checked::Mul(depth, kRedPerLevel), checked::Mul(cornered, kBluePerCorner)), kBaseColour);

  // The node's segment is drawn again before each subtree, so that it stays
  // on top of the subtrees drawn before it.
  for (int16_t i = 1; i <= kBranches; ++i) {
    surface_.Line(x, y, newx, newy, colour);
    const int32_t childCornered = checked::Add(cornered, i - 1);
    const int32_t childDepth = checked::Add(depth, 1);
    const float turned = checked::Single(checked::Single((i - 1) * static_cast<double>(spread)) + degree);
    const float childDegree = checked::Single(static_cast<double>(turned) - tilt);
    DoIt(newx, newy, childDegree, childDepth, childCornered);
  }
}

}  // namespace tree
