#include "runtime/clock.h"

#include <chrono>
#include <ctime>

namespace runtime {

double SystemClock::Timer() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t whole = system_clock::to_time_t(now);
  const std::tm local = LocalTime(whole);
  const duration<double> fraction = now - system_clock::from_time_t(whole);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction.count();
}

}  // namespace runtime
