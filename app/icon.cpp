#include "app/icon.h"

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
  ScaledSurface(runtime::Surface& target, float scale) : target_(target), scale_(scale) {}

  void Cls() override { target_.Cls(); }
  void Line(float x1, float y1, float x2, float y2, runtime::Colour colour) override {
    target_.Line(X(x1), Y(y1), X(x2), Y(y2), colour);
  }

 private:
  float X(float x) const { return (x - kLeft) * scale_; }
  float Y(float y) const { return (y - kTop) * scale_; }

  runtime::Surface& target_;
  float scale_;
};

}  // namespace

void PaintIcon(runtime::Surface& icon, int size) {
  ScaledSurface scaled(icon, static_cast<float>(size) / kSide);
  tree::FractalTree(scaled, kTilt, kSpread).DrawWhole();
}
