#include "runtime/clock.h"

namespace runtime {

std::tm LocalTime(std::time_t moment) {
  std::tm local{};
  localtime_s(&local, &moment);
  return local;
}

}  // namespace runtime
