#pragma once

#include "anim/animate_values.h"
#include "host/form.h"
#include "tree/fractal_tree.h"

// The program's window: every tick it clears its surface, draws the tree and
// moves the tree's angles on along the animation.
class Form1 final : public tree::FractalTree, public host::Form {
 public:
  static const host::WindowSettings kSettings;

  explicit Form1(const host::Services& services);

  void Form_Load() override;
  void Timer1_Timer() override;

 private:
  // The animation of the tree's angles, for as long as the window lives.
  anim::clsAnimateValues animvalues;
};
