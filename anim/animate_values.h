#pragma once

#include "runtime/checked.h"
#include "runtime/clock.h"
#include "runtime/random.h"

namespace anim {

// Two values, A and B, that glide in straight lines between random targets.
// Each leg runs from (froma, fromb) to (newa, newb) over renewseconds seconds
// of the clock; the first Update after a leg is over starts the next one from
// the old targets towards fresh targets drawn between 0 and maxa, maxb.
class clsAnimateValues final {
 public:
  clsAnimateValues(runtime::Clock& clock, runtime::RandomSource& random);

  // Sets the ranges of the targets and draws the first leg.
  template <typename A, typename B>
  requires std::is_arithmetic_v<A> && std::is_arithmetic_v<B>
  void Init(A a, B b) {
    maxa = checked::ToSingle(a);
    maxb = checked::ToSingle(b);
    StartFirstLeg();
  }

  float GetA();
  float GetB();
  // Starts a new leg once more than renewseconds have passed since this one began.
  void Update();

  float froma = 0.0f;
  float fromb = 0.0f;
  float newa = 0.0f;
  float newb = 0.0f;
  float maxa = 0.0f;
  float maxb = 0.0f;
  float renewseconds = 0.0f;

 private:
  void StartFirstLeg();
  float Glide(float from, float to);
  float Target(float range);
  bool ClockRestarted(double now) const;

  float lastrenew = 0.0f;
  runtime::Clock& clock_;
  runtime::RandomSource& random_;
};

}  // namespace anim
