#pragma once

// Forms for the canvas's tests: ticks that draw what the test gives.

#include "host/form.h"
#include "runtime/surface.h"
#include "tree/fractal_tree.h"

namespace forms {

// A form whose ticks draw what the test gives, knowing their number.
class CountingForm final : public host::Form {
 public:
  using Draw = void (*)(runtime::Surface& surface, int tick);
  CountingForm(runtime::Surface& surface, Draw draw) : surface_(surface), draw_(draw) {}

  void Form_Load() override {}
  void Timer1_Timer() override { draw_(surface_, ++ticks); }

  int ticks = 0;

 private:
  runtime::Surface& surface_;
  Draw draw_;
};

inline float Tilt(int tick) { return static_cast<float>(tick * 7 % 20 - 10); }
inline float Spread(int tick) { return static_cast<float>(tick * 11 % 40); }

// Draws the tree at angles of the tick's own.
inline void DrawTree(runtime::Surface& surface, int tick) {
  surface.Cls();
  tree::FractalTree(surface, Tilt(tick), Spread(tick)).DrawWhole();
}

}  // namespace forms
