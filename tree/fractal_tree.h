#pragma once

#include <cstdint>

#include "runtime/surface.h"

namespace tree {

// Where the trunk starts, in the window's pixels, and its direction: straight up.
inline constexpr float kTrunkX = 100;
inline constexpr float kTrunkY = 300;
inline constexpr float kUp = 180;

// The fractal tree: each node is a straight segment whose end carries three
// subtrees, five levels deep. The window that shows the tree derives from this
// class and steers its shape through tilt and spread.
class FractalTree {
 public:
  explicit FractalTree(runtime::Surface& surface, float tilt = 0.0f, float spread = 0.0f)
      : tilt(tilt), spread(spread), surface_(surface) {}

  // Draws the node that starts at (x, y) in direction degree (180 points up),
  // then its subtrees. depth is 0 for the root; cornered shifts the colour
  // towards blue and grows by the index of each branch taken.
  void DoIt(float x, float y, float degree, int32_t depth, int32_t cornered);

  // Draws the whole tree, from the trunk up.
  void DrawWhole() { DoIt(kTrunkX, kTrunkY, kUp, 0, 0); }

 protected:
  // Turns every branch against its parent, in degrees.
  float tilt;
  // The angle between sibling branches, in degrees.
  float spread;

  runtime::Surface& surface() const { return surface_; }

 private:
  runtime::Surface& surface_;
};

}  // namespace tree
