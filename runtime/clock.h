#pragma once

namespace runtime {

// The clock: seconds since local midnight, with a fractional part.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Timer() = 0;
};

class SystemClock final : public Clock {
 public:
  double Timer() override;
};

}  // namespace runtime
