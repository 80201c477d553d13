#include "app/icon.h"

#include "app/form1.h"
#include "tree/fractal_tree.h"

namespace {

// The part of the window's picture that the icon shows, and the tree's pose.
constexpr float kLeft = 30;
constexpr float kTop = 0;
constexpr float kSide = 310;
constexpr float kTilt = 5;
constexpr float kSpread = 25;

// Draws onto another surface at a smaller scale.
class ScaledSurface final : public runtime::Surface {
 public:
  explicit ScaledSurface(runtime::Surface& target) : target_(target) {}

  void Cls() override { target_.Cls(); }
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override {
    target_.Line(X(x1), Y(y1), X(x2), Y(y2), colour);
  }

 private:
  static constexpr float kScale = kIconSize / kSide;
  static float X(float x) { return (x - kLeft) * kScale; }
  static float Y(float y) { return (y - kTop) * kScale; }

  runtime::Surface& target_;
};

class IconTree final : public tree::FractalTree {
 public:
  explicit IconTree(runtime::Surface& surface) : FractalTree(surface) {
    tilt = kTilt;
    spread = kSpread;
  }
};

}  // namespace

void PaintIcon(runtime::Surface& icon) {
  ScaledSurface scaled(icon);
  IconTree(scaled).DoIt(Form1::kTrunkX, Form1::kTrunkY, Form1::kUp, 0, 0);
}
