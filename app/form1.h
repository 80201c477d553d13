#pragma once

#include <memory>

#include "anim/animate_values.h"
#include "runtime/host.h"
#include "tree/fractal_tree.h"

// The program's window: every tick it clears its surface, draws the tree and
// moves the tree's angles on along the animation.
class Form1 final : public tree::FractalTree, public runtime::Form {
 public:
  static const runtime::WindowSettings kSettings;

  // The trunk starts here and points straight up.
  static constexpr float kTrunkX = 100;
  static constexpr float kTrunkY = 300;
  static constexpr float kUp = 180;

  explicit Form1(const runtime::Services& services);

  void Form_Load() override;
  void Timer1_Timer() override;

 private:
  // The animation object, created on first use.
  anim::clsAnimateValues& Animvalues();

  runtime::Clock& clock_;
  runtime::RandomSource& random_;
  std::unique_ptr<anim::clsAnimateValues> animvalues;
};
