#pragma once

#include <chrono>

namespace runtime {

// A periodic timer's schedule: ticks fall on a fixed grid of intervals from
// its start. A tick that comes late skips the ones it missed rather than
// running them back to back, and the grid never drifts.
class Ticker {
 public:
  using Clock = std::chrono::steady_clock;

  Ticker(Clock::duration interval, Clock::time_point start) : interval_(interval), next_(start + interval) {}

  // Whole milliseconds until the next tick, rounded up; 0 when it is due.
  int MillisecondsLeft(Clock::time_point now) const {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(next_ - now).count();
    return left > 0 ? static_cast<int>(left) : 0;
  }

  // Whether a tick is due; if so, the schedule moves on to the next one to come.
  bool Due(Clock::time_point now) {
    const auto late = now - next_;
    if (late < Clock::duration::zero()) return false;
    next_ += interval_ * (late / interval_ + 1);
    return true;
  }

 private:
  Clock::duration interval_;
  Clock::time_point next_;
};

}  // namespace runtime
