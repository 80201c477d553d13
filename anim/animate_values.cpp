#include "anim/animate_values.h"

namespace anim {
namespace {

constexpr float kLegSeconds = 2.0f;
// How far past its start a leg may still be followed along its line.
constexpr float kLongestProgress = 2.0f;

}  // namespace

clsAnimateValues::clsAnimateValues(runtime::Clock& clock, runtime::RandomSource& random)
    : renewseconds(kLegSeconds), clock_(clock), random_(random) {}

void clsAnimateValues::StartFirstLeg() {
  froma = Target(maxa);
  fromb = Target(maxb);
  newa = Target(maxa);
  newb = Target(maxb);
  lastrenew = checked::Single(clock_.Timer());
}

float clsAnimateValues::GetA() { return Glide(froma, newa); }

float clsAnimateValues::GetB() { return Glide(fromb, newb); }

void clsAnimateValues::Update() {
  const double now = clock_.Timer();
  const float elapsed = checked::Single(now - lastrenew);
  if (elapsed > renewseconds || ClockRestarted(now)) {
    lastrenew = checked::Single(clock_.Timer());
    froma = newa;
    fromb = newb;
    newa = Target(maxa);
    newb = Target(maxb);
  }
}

// The value on the line through the leg's start and target, at the leg's
// progress; past the end of the leg it runs on beyond the target, as far as
// the next Update lets it. Only a clock that jumped forward, or a program that
// stalled, can find a leg more than a whole leg past its end: it reads as
// finished, at its target.
float clsAnimateValues::Glide(float from, float to) {
  const double now = clock_.Timer();
  const double elapsed = ClockRestarted(now) ? 0.0 : checked::Step(now - lastrenew);
  const float progress = checked::Single(checked::Divide(elapsed, renewseconds));
  if (progress > kLongestProgress) return to;
  const float difference = checked::Single(static_cast<double>(to) - from);
  return checked::Single(checked::Single(static_cast<double>(progress) * difference) + from);
}

float clsAnimateValues::Target(float range) { return checked::Single(static_cast<double>(random_.Rnd()) * range); }

// The clock counts from 0 again at midnight, so a reading earlier than the
// leg's start means it has restarted: the leg is then over at once rather than
// a day long. Both are compared as stored, so rounding cannot trigger it.
bool clsAnimateValues::ClockRestarted(double now) const { return checked::Single(now) < lastrenew; }

}  // namespace anim
