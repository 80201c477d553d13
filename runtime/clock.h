#pragma once

#include <ctime>

namespace runtime {

// The clock: seconds since local midnight, with a fractional part. The real
// one is SystemClock; tests set the time of testing/fakes.h's FakeClock.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Timer() = 0;
};

class SystemClock final : public Clock {
 public:
  double Timer() override;
};

// The local calendar time of a moment. Each platform's C library has its own
// reentrant form of it: clock_posix.cpp, clock_windows.cpp.
std::tm LocalTime(std::time_t moment);

}  // namespace runtime
